// Any proxy settings in the environment, for any host: the choice never reaches a proxy for
// loopback or for a host no_proxy exempts as a whole, and never shows a password.
#include "FuzzCheck.h"
#include "pipeline/Proxy.h"

#include <QProcessEnvironment>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A line each: the host, its port, the proxy setting, no_proxy, and which variable is set.
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(u'\n');
    const auto line = [&](qsizetype i) { return i < lines.size() ? lines[i] : QString(); };
    const QString host = line(0);
    const int port = line(1).toInt();
    const QString value = line(2);
    const QString noProxy = line(3);
    static const QStringList variables{"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"};
    const QString variable = variables[line(4).size() % variables.size()];

    QProcessEnvironment environment;
    environment.insert(variable, value);
    if (!noProxy.isEmpty())
        environment.insert(QStringLiteral("no_proxy"), noProxy);
    const ProxyChoice choice = proxyFor(host, port, environment);

    FUZZ_CHECK(!(choice.proxy && !choice.unusable.isEmpty()));
    if (value.isEmpty() || noProxy.trimmed() == u'*' || host == QLatin1String("localhost") ||
        host == QLatin1String("127.0.0.1") || host == QLatin1String("::1"))
        FUZZ_CHECK(!choice.proxy && choice.unusable.isEmpty());
    if (!choice.unusable.isEmpty())
        FUZZ_CHECK(choice.unusable.startsWith(variable + u'='));
    if (!choice.proxy)
        return 0;
    const Proxy& proxy = *choice.proxy;
    FUZZ_CHECK(proxy.variable == variable);
    FUZZ_CHECK(!proxy.host.isEmpty() && proxy.port >= 1 && proxy.port <= 65535);
    // What is shown of it does not depend on its password.
    Proxy otherPassword = proxy;
    otherPassword.password += QStringLiteral("x");
    FUZZ_CHECK(otherPassword.shown() == proxy.shown());
    return 0;
}
