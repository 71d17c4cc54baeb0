#include "pipeline/CertificateSummary.h"

#include "pipeline/PemInspection.h"
#include "pipeline/ShownTime.h"

#include <QCryptographicHash>
#include <QLocale>
#include <QTimeZone>
#include <memory>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace {

const QString absent = QStringLiteral("yok");

template <auto release> struct Releaser {
    template <typename T> void operator()(T* owned) const { release(owned); }
};
template <typename T, auto release> using Owned = std::unique_ptr<T, Releaser<release>>;
void releaseBytes(unsigned char* bytes) {
    OPENSSL_free(bytes);
}

// libcrypto leaves what it could not decode on the thread's error queue; each failure is said
// here where it happens, so the queue is left as it was found.
struct ErrorQueueMark {
    ErrorQueueMark() { ERR_set_mark(); }
    ~ErrorQueueMark() { ERR_pop_to_mark(); }
    ErrorQueueMark(const ErrorQueueMark&) = delete;
    ErrorQueueMark& operator=(const ErrorQueueMark&) = delete;
};

QString undecoded() {
    return undecodedField.toString();
}

// A field's text on one line, every character of it seen: control characters and line breaks
// would let a name pose as another line of the details, invisible and direction marks would hide
// or reorder what it says.
QString oneLine(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        qsizetype units = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        }
        const QChar::Category category = QChar::category(code);
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            out += QChar::ReplacementCharacter;
        else
            out += QStringView(text).sliced(i, units);
        i += units - 1;
    }
    return out;
}

std::optional<QString> text(const ASN1_STRING* string) {
    unsigned char* utf8 = nullptr;
    const int length = string ? ASN1_STRING_to_UTF8(&utf8, string) : -1;
    if (length < 0)
        return std::nullopt;
    const Owned<unsigned char, releaseBytes> owned(utf8);
    return oneLine(QString::fromUtf8(reinterpret_cast<const char*>(utf8), length));
}

// A name's value as RFC 4514 writes it, and as the tool shows it with esc_2253: no value poses
// as another attribute.
QString escapedValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' || QStringView(u",+\"<>;").contains(c) ||
            (i == 0 && (c == u'#' || c == u' ')) || (i == value.size() - 1 && c == u' '))
            out += u'\\';
        out += c;
    }
    return out;
}

QString objectName(const ASN1_OBJECT* object, bool shortName) {
    if (const int nid = OBJ_obj2nid(object); nid != NID_undef) {
        if (const char* name = shortName ? OBJ_nid2sn(nid) : OBJ_nid2ln(nid))
            return QString::fromLatin1(name);
    }
    char dotted[128];
    const int length = object ? OBJ_obj2txt(dotted, sizeof dotted, object, 1) : 0;
    if (length <= 0)
        return undecoded();
    return QString::fromLatin1(dotted, std::min<int>(length, sizeof dotted - 1));
}

QString hexPairs(QByteArrayView bytes) {
    return QString::fromLatin1(bytes.toByteArray().toHex(':').toUpper());
}

struct Name {
    QString line;
    QString commonName;
};

Name readName(const X509_NAME* name) {
    QStringList common;
    QStringList others;
    QString commonName;
    QString organisation;
    QString unit;
    const int count = name ? X509_NAME_entry_count(name) : 0;
    for (int i = 0; i < count; ++i) {
        const X509_NAME_ENTRY* entry = X509_NAME_get_entry(name, i);
        const ASN1_OBJECT* type = X509_NAME_ENTRY_get_object(entry);
        const std::optional<QString> value = text(X509_NAME_ENTRY_get_data(entry));
        const int nid = OBJ_obj2nid(type);
        (nid == NID_commonName ? common : others)
            << objectName(type, true) + u'=' + (value ? escapedValue(*value) : undecoded());
        if (!value || value->trimmed().isEmpty())
            continue;
        if (nid == NID_commonName && commonName.isEmpty())
            commonName = *value;
        else if (nid == NID_organizationName && organisation.isEmpty())
            organisation = *value;
        else if (nid == NID_organizationalUnitName && unit.isEmpty())
            unit = *value;
    }
    return {common.isEmpty() && others.isEmpty() ? absent
                                                 : (common + others).join(QStringLiteral(", ")),
            !commonName.isEmpty()     ? commonName
            : !organisation.isEmpty() ? organisation
                                      : unit};
}

// One element of DER: its tag, and where it starts, its contents start and it ends.
struct Element {
    unsigned char tag = 0;
    qsizetype start = 0;
    qsizetype contents = 0;
    qsizetype end = 0;
};

// The element at `at`, in the one-byte tags and definite lengths of up to four bytes a
// certificate's outer structure uses; nothing for anything else or past `der`.
std::optional<Element> elementAt(QByteArrayView der, qsizetype at) {
    if (der.size() - at < 2)
        return std::nullopt;
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(der[i]); };
    Element element{byte(at), at, at + 2, 0};
    if ((element.tag & 0x1F) == 0x1F)
        return std::nullopt;
    qsizetype length = byte(at + 1);
    if (length & 0x80) {
        const int octets = int(length & 0x7F);
        if (octets == 0 || octets > 4 || der.size() - element.contents < octets)
            return std::nullopt;
        length = 0;
        for (int i = 0; i < octets; ++i)
            length = length << 8 | byte(element.contents++);
    }
    if (length > der.size() - element.contents)
        return std::nullopt;
    element.end = element.contents + length;
    return element;
}

// The issuer's and subject's encodings, found by walking the certificate's first fields: the
// public key, whose decoding costs most of a full read, is never touched.
std::optional<std::pair<QByteArrayView, QByteArrayView>> nameEncodings(QByteArrayView der) {
    constexpr unsigned char sequence = 0x30, version = 0xA0;
    const std::optional<Element> certificate = elementAt(der, 0);
    if (!certificate || certificate->tag != sequence)
        return std::nullopt;
    const std::optional<Element> tbs =
        elementAt(der.first(certificate->end), certificate->contents);
    if (!tbs || tbs->tag != sequence)
        return std::nullopt;
    // After the version, when there is one: serial, signature algorithm, issuer, validity,
    // subject.
    const QByteArrayView fields = der.first(tbs->end);
    QList<Element> read;
    for (qsizetype at = tbs->contents; read.size() < 5;) {
        const std::optional<Element> field = elementAt(fields, at);
        if (!field)
            return std::nullopt;
        if (at != tbs->contents || field->tag != version)
            read << *field;
        at = field->end;
    }
    if (read[2].tag != sequence || read[4].tag != sequence)
        return std::nullopt;
    const auto whole = [&](const Element& field) {
        return der.sliced(field.start, field.end - field.start);
    };
    return std::pair{whole(read[2]), whole(read[4])};
}

QDateTime moment(const ASN1_TIME* time) {
    // A missing time would be read as now.
    tm parts{};
    if (!time || ASN1_TIME_to_tm(time, &parts) != 1)
        return QDateTime();
    const QDate date(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    const QTime clock(parts.tm_hour, parts.tm_min, parts.tm_sec);
    if (!date.isValid() || !clock.isValid())
        return QDateTime();
    return QDateTime(date, clock, QTimeZone::utc());
}

QString curve(EVP_PKEY* key, int bits) {
    char group[80];
    size_t length = 0;
    if (EVP_PKEY_get_utf8_string_param(key, OSSL_PKEY_PARAM_GROUP_NAME, group, sizeof group,
                                       &length) == 1) {
        const int nid = OBJ_txt2nid(group);
        if (const char* nist = nid != NID_undef ? EC_curve_nid2nist(nid) : nullptr)
            return QString::fromLatin1(nist);
        return QString::fromLatin1(group, qsizetype(length));
    }
    return QStringLiteral("adı olmayan eğri, %1 bit").arg(bits);
}

QString keyText(X509* certificate) {
    ASN1_OBJECT* algorithm = nullptr;
    const X509_PUBKEY* info = X509_get_X509_PUBKEY(certificate);
    if (!info || X509_PUBKEY_get0_param(&algorithm, nullptr, nullptr, nullptr, info) != 1)
        return undecoded();
    EVP_PKEY* key = X509_get0_pubkey(certificate);
    if (!key)
        return QStringLiteral("%1 (%2)").arg(undecodedField, objectName(algorithm, false));
    const int bits = EVP_PKEY_get_bits(key);
    const QString withBits = QStringLiteral("%1 %2 bit");
    if (EVP_PKEY_is_a(key, "EC"))
        return QStringLiteral("EC ") + curve(key, bits);
    if (EVP_PKEY_is_a(key, "ED25519"))
        return QStringLiteral("Ed25519");
    if (EVP_PKEY_is_a(key, "ED448"))
        return QStringLiteral("Ed448");
    for (const char* sized : {"RSA", "RSA-PSS", "DSA", "DH"}) {
        if (EVP_PKEY_is_a(key, sized))
            return withBits.arg(QLatin1StringView(sized)).arg(bits);
    }
    const char* type = EVP_PKEY_get0_type_name(key);
    const QString name = type ? QString::fromLatin1(type) : objectName(algorithm, false);
    return bits > 0 ? withBits.arg(name).arg(bits) : name;
}

QString keyPin(X509* certificate) {
    unsigned char* encoded = nullptr;
    const int length = i2d_X509_PUBKEY(X509_get_X509_PUBKEY(certificate), &encoded);
    if (length <= 0)
        return undecoded();
    const Owned<unsigned char, releaseBytes> owned(encoded);
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayView(encoded, length), QCryptographicHash::Sha256)
            .toBase64());
}

QString fingerprint(X509* certificate, const EVP_MD* digest) {
    unsigned char value[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (X509_digest(certificate, digest, value, &length) != 1)
        return undecoded();
    return hexPairs(QByteArrayView(value, length));
}

QString signatureAlgorithm(X509* certificate) {
    const X509_ALGOR* algorithm = nullptr;
    X509_get0_signature(nullptr, &algorithm, certificate);
    const ASN1_OBJECT* object = nullptr;
    if (algorithm)
        X509_ALGOR_get0(&object, nullptr, nullptr, algorithm);
    return object ? objectName(object, false) : undecoded();
}

QString serialNumber(X509* certificate) {
    const ASN1_INTEGER* serial = X509_get0_serialNumber(certificate);
    const int length = ASN1_STRING_length(serial);
    if (length <= 0)
        return QStringLiteral("00");
    const QString pairs = hexPairs(QByteArrayView(ASN1_STRING_get0_data(serial), length));
    return ASN1_STRING_type(serial) == V_ASN1_NEG_INTEGER ? u'-' + pairs : pairs;
}

// An extension decoded by libcrypto, and whether it was there at all: a missing one and one that
// does not decode both come back empty.
template <typename T, auto release> struct Extension {
    Extension(X509* certificate, int nid)
        : value(static_cast<T*>(X509_get_ext_d2i(certificate, nid, &found, nullptr))) {}
    int found = -1; // -1: not there
    Owned<T, release> value;
    bool undecodable() const { return !value && found != -1; }
};

QString certificateAuthority(X509* certificate) {
    const Extension<BASIC_CONSTRAINTS, BASIC_CONSTRAINTS_free> constraints(certificate,
                                                                           NID_basic_constraints);
    if (constraints.undecodable())
        return undecoded();
    if (!constraints.value || !constraints.value->ca)
        return QStringLiteral("Hayır");
    if (!constraints.value->pathlen)
        return QStringLiteral("Evet");
    int64_t below = 0;
    if (ASN1_INTEGER_get_int64(&below, constraints.value->pathlen) != 1)
        return QStringLiteral("Evet, altındaki ara sertifika sınırı çözülemedi");
    return below < 0
               ? QStringLiteral("Evet, altındaki ara sertifika sınırı geçersiz: %1").arg(below)
               : QStringLiteral("Evet, altında en çok %1 ara sertifika").arg(below);
}

QString shownAddress(const ASN1_OCTET_STRING* bytes, QList<QHostAddress>* addresses) {
    const unsigned char* address = ASN1_STRING_get0_data(bytes);
    QHostAddress host;
    if (ASN1_STRING_length(bytes) == 4)
        host.setAddress(quint32(address[0]) << 24 | quint32(address[1]) << 16 |
                        quint32(address[2]) << 8 | address[3]);
    else if (ASN1_STRING_length(bytes) == 16)
        host.setAddress(address);
    if (host.isNull())
        return undecoded();
    if (addresses)
        *addresses << host;
    return host.toString();
}

// Any kind of name a certificate gives, as shown; DNS names and addresses are also collected for
// matching the host.
QString shownGeneralName(const GENERAL_NAME* name, QStringList* dnsNames = nullptr,
                         QList<QHostAddress>* addresses = nullptr) {
    switch (name->type) {
    case GEN_DNS: {
        const std::optional<QString> dns = text(name->d.dNSName);
        if (dns && dnsNames)
            *dnsNames << *dns;
        return dns.value_or(undecoded());
    }
    case GEN_IPADD:
        return shownAddress(name->d.iPAddress, addresses);
    case GEN_EMAIL:
        return QStringLiteral("e-posta ") + text(name->d.rfc822Name).value_or(undecoded());
    case GEN_URI:
        return text(name->d.uniformResourceIdentifier).value_or(undecoded());
    case GEN_DIRNAME:
        return QStringLiteral("dizin adı ") + readName(name->d.directoryName).line;
    case GEN_RID:
        return QStringLiteral("kayıtlı kimlik ") + objectName(name->d.registeredID, false);
    default:
        return QStringLiteral("gösterilemeyen ad türü");
    }
}

void readAlternativeNames(X509* certificate, CertificateSummary& summary) {
    const Extension<GENERAL_NAMES, GENERAL_NAMES_free> names(certificate, NID_subject_alt_name);
    if (names.undecodable()) {
        summary.alternativeNames = undecoded();
        return;
    }
    QStringList shown;
    for (int i = 0; names.value && i < sk_GENERAL_NAME_num(names.value.get()); ++i)
        shown << shownGeneralName(sk_GENERAL_NAME_value(names.value.get(), i), &summary.dnsNames,
                                  &summary.ipAddresses);
    summary.alternativeNames = shownList(shown);
}

void readAuthorityAccess(X509* certificate, CertificateSummary& summary) {
    const Extension<AUTHORITY_INFO_ACCESS, AUTHORITY_INFO_ACCESS_free> access(certificate,
                                                                              NID_info_access);
    if (access.undecodable()) {
        summary.caIssuers = summary.ocsp = undecoded();
        return;
    }
    QStringList caIssuers;
    QStringList ocsp;
    for (int i = 0; access.value && i < sk_ACCESS_DESCRIPTION_num(access.value.get()); ++i) {
        const ACCESS_DESCRIPTION* description = sk_ACCESS_DESCRIPTION_value(access.value.get(), i);
        const QString address = shownGeneralName(description->location);
        const int method = OBJ_obj2nid(description->method);
        if (method == NID_ad_ca_issuers)
            caIssuers << address;
        else if (method == NID_ad_OCSP)
            ocsp << address;
    }
    summary.caIssuers = shownList(caIssuers);
    summary.ocsp = shownList(ocsp);
}

} // namespace

std::optional<CertificateSummary> readCertificate(QByteArrayView der) {
    const ErrorQueueMark mark;
    const auto* bytes = reinterpret_cast<const unsigned char*>(der.data());
    const Owned<X509, X509_free> owned(d2i_X509(nullptr, &bytes, long(der.size())));
    X509* const certificate = owned.get();
    if (!certificate)
        return std::nullopt;
    CertificateSummary summary;
    const Name subject = readName(X509_get_subject_name(certificate));
    summary.subject = subject.line;
    summary.subjectName = subject.commonName;
    summary.issuer = readName(X509_get_issuer_name(certificate)).line;
    summary.effective = moment(X509_get0_notBefore(certificate));
    summary.expiry = moment(X509_get0_notAfter(certificate));
    readAlternativeNames(certificate, summary);
    summary.serialNumber = serialNumber(certificate);
    summary.key = keyText(certificate);
    summary.signatureAlgorithm = signatureAlgorithm(certificate);
    summary.certificateAuthority = certificateAuthority(certificate);
    summary.sha256Fingerprint = fingerprint(certificate, EVP_sha256());
    summary.sha1Fingerprint = fingerprint(certificate, EVP_sha1());
    summary.keyPin = keyPin(certificate);
    readAuthorityAccess(certificate, summary);
    return summary;
}

CertificateNames readCertificateNames(QByteArrayView der) {
    const ErrorQueueMark mark;
    const std::optional<std::pair<QByteArrayView, QByteArrayView>> encodings = nameEncodings(der);
    const auto decoded = [](QByteArrayView encoding) -> std::optional<QString> {
        const auto* bytes = reinterpret_cast<const unsigned char*>(encoding.data());
        const Owned<X509_NAME, X509_NAME_free> name(
            d2i_X509_NAME(nullptr, &bytes, long(encoding.size())));
        return name ? std::optional(readName(name.get()).line) : std::nullopt;
    };
    std::optional<QString> issuer = encodings ? decoded(encodings->first) : std::nullopt;
    std::optional<QString> subject = encodings ? decoded(encodings->second) : std::nullopt;
    // Anything the walk does not follow, libcrypto may still read whole.
    if (!issuer || !subject) {
        const std::optional<CertificateSummary> summary = readCertificate(der);
        if (!summary)
            return {};
        return {summary->subject, summary->issuer};
    }
    return {*subject, *issuer};
}

std::optional<QByteArray> blockBytes(QStringView block) {
    const qsizetype begin = block.indexOf(beginCertificateMarker);
    const qsizetype end = block.indexOf(endCertificateMarker);
    if (begin < 0 || end < begin)
        return std::nullopt;
    const QStringView body = block.sliced(begin + beginCertificateMarker.size(),
                                          end - begin - beginCertificateMarker.size());
    // Written in place: a search reads tens of thousands of blocks.
    QByteArray base64(body.size(), Qt::Uninitialized);
    char* out = base64.data();
    for (QChar c : body) {
        if (c.isSpace())
            continue;
        if (c.unicode() > 0x7F)
            return std::nullopt;
        *out++ = char(c.unicode());
    }
    base64.truncate(out - base64.data());
    const auto der =
        QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    return der ? std::optional(*der) : std::nullopt;
}

std::optional<CertificateSummary> readCertificateBlock(QStringView block) {
    const std::optional<QByteArray> der = blockBytes(block);
    return der ? readCertificate(*der) : std::nullopt;
}

QString shownList(QStringList items) {
    for (QString& item : items)
        item =
            item.trimmed().isEmpty()
                ? QStringLiteral("(boş)")
                : item.replace(u'\\', QStringLiteral("\\\\")).replace(u',', QStringLiteral("\\,"));
    return items.isEmpty() ? absent : items.join(QStringLiteral(", "));
}

QStringList certificateDetails(const CertificateSummary& certificate) {
    return {QStringLiteral("Konu: ") + certificate.subject,
            QStringLiteral("Veren: ") + certificate.issuer,
            QStringLiteral("Alternatif adlar: ") + certificate.alternativeNames,
            QStringLiteral("Seri numarası: ") + certificate.serialNumber,
            QStringLiteral("Anahtar: ") + certificate.key,
            QStringLiteral("İmza algoritması: ") + certificate.signatureAlgorithm,
            QStringLiteral("Sertifika yetkilisi (CA): ") + certificate.certificateAuthority,
            QStringLiteral("Geçerlilik başlangıcı: ") + shownTime(certificate.effective),
            QStringLiteral("Geçerlilik sonu: ") + shownTime(certificate.expiry),
            QStringLiteral("SHA-256 parmak izi: ") + certificate.sha256Fingerprint,
            QStringLiteral("SHA-1 parmak izi: ") + certificate.sha1Fingerprint,
            QStringLiteral("Açık anahtar pini (SHA-256, base64): ") + certificate.keyPin,
            QStringLiteral("Verenin sertifikası (CA Issuers): ") + certificate.caIssuers,
            QStringLiteral("İptal durumu (OCSP): ") + certificate.ocsp};
}
