#include "pipeline/CertificateSummary.h"

#include "pipeline/ShownTime.h"
#include "pipeline/TextDecoding.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QLocale>
#include <QTimeZone>
#include <memory>
#include <openssl/asn1t.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace {

QString absent() {
    return QCoreApplication::translate("CertificateSummary", "yok");
}

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

// How many parts of fields have not decoded on this thread: a field whose reading raised it has
// a part that did not decode, whatever its text happens to say.
thread_local int undecodedParts = 0;

QString undecoded() {
    ++undecodedParts;
    return undecodedField();
}

// The text, or undecoded() only where there is none.
QString orUndecoded(const std::optional<QString>& text) {
    return text ? *text : undecoded();
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

// Where a character is a byte, many certificates write UTF-8, which libcrypto would read as Latin-1
// and show garbled: these bytes are read as UTF-8, any that are not UTF-8 in an ASCII type shown as
// "�".
std::optional<QString> byteTypeText(const ASN1_STRING* string) {
    const int type = ASN1_STRING_type(string);
    const QByteArrayView bytes(ASN1_STRING_get0_data(string), ASN1_STRING_length(string));
    if (type == V_ASN1_T61STRING)
        return decodeUtf8Strictly(bytes);
    if (type == V_ASN1_IA5STRING || type == V_ASN1_PRINTABLESTRING || type == V_ASN1_VISIBLESTRING)
        return QString::fromUtf8(bytes);
    return std::nullopt;
}

std::optional<QString> text(const ASN1_STRING* string) {
    if (!string)
        return std::nullopt;
    if (const std::optional<QString> bytes = byteTypeText(string))
        return oneLine(*bytes);
    unsigned char* utf8 = nullptr;
    const int length = ASN1_STRING_to_UTF8(&utf8, string);
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

// One relative name: its attributes, more than one where they are named together.
struct RelativeName {
    QStringList attributes;
    bool hasCommonName = false;
};

Name readName(const X509_NAME* name) {
    QList<RelativeName> relativeNames;
    QString commonName;
    QString organisation;
    QString unit;
    const int count = name ? X509_NAME_entry_count(name) : 0;
    for (int i = 0, set = -1; i < count; ++i) {
        const X509_NAME_ENTRY* entry = X509_NAME_get_entry(name, i);
        const ASN1_OBJECT* type = X509_NAME_ENTRY_get_object(entry);
        const std::optional<QString> value = text(X509_NAME_ENTRY_get_data(entry));
        const int nid = OBJ_obj2nid(type);
        if (relativeNames.isEmpty() || X509_NAME_ENTRY_set(entry) != set)
            relativeNames.append(RelativeName());
        set = X509_NAME_ENTRY_set(entry);
        relativeNames.back().attributes
            << objectName(type, true) + u'=' + (value ? escapedValue(*value) : undecoded());
        relativeNames.back().hasCommonName |= nid == NID_commonName;
        if (!value || value->trimmed().isEmpty())
            continue;
        if (nid == NID_commonName && commonName.isEmpty())
            commonName = *value;
        else if (nid == NID_organizationName && organisation.isEmpty())
            organisation = *value;
        else if (nid == NID_organizationalUnitName && unit.isEmpty())
            unit = *value;
    }
    // The common name first; the attributes of one relative name joined by "+" (RFC 4514).
    QStringList common;
    QStringList others;
    for (const RelativeName& relative : relativeNames)
        (relative.hasCommonName ? common : others) << relative.attributes.join(u'+');
    return {relativeNames.isEmpty() ? absent() : (common + others).join(QStringLiteral(", ")),
            !commonName.isEmpty()     ? commonName
            : !organisation.isEmpty() ? organisation
                                      : unit};
}

// A certificate as libcrypto decodes one, but for its public key: that decoding costs most of a
// whole read and never makes one fail, so whatever decodes here is what a whole read loads.
struct KeyOutline {
    X509_ALGOR* algorithm;
    ASN1_BIT_STRING* key;
};
struct SignedPartOutline {
    ASN1_INTEGER* version;
    ASN1_INTEGER* serial;
    X509_ALGOR* signature;
    X509_NAME* issuer;
    X509_VAL* validity;
    X509_NAME* subject;
    KeyOutline* key;
    ASN1_BIT_STRING* issuerUid;
    ASN1_BIT_STRING* subjectUid;
    STACK_OF(X509_EXTENSION) * extensions;
};
struct CertificateOutline {
    SignedPartOutline* signedPart;
    X509_ALGOR* algorithm;
    ASN1_BIT_STRING* signature;
};

ASN1_SEQUENCE(KeyOutline) =
    {
        ASN1_SIMPLE(KeyOutline, algorithm, X509_ALGOR),
        ASN1_SIMPLE(KeyOutline, key, ASN1_BIT_STRING),
} static_ASN1_SEQUENCE_END(KeyOutline)

        ASN1_SEQUENCE(SignedPartOutline) =
            {
                ASN1_EXP_OPT(SignedPartOutline, version, ASN1_INTEGER, 0),
                ASN1_SIMPLE(SignedPartOutline, serial, ASN1_INTEGER),
                ASN1_SIMPLE(SignedPartOutline, signature, X509_ALGOR),
                ASN1_SIMPLE(SignedPartOutline, issuer, X509_NAME),
                ASN1_SIMPLE(SignedPartOutline, validity, X509_VAL),
                ASN1_SIMPLE(SignedPartOutline, subject, X509_NAME),
                ASN1_SIMPLE(SignedPartOutline, key, KeyOutline),
                ASN1_IMP_OPT(SignedPartOutline, issuerUid, ASN1_BIT_STRING, 1),
                ASN1_IMP_OPT(SignedPartOutline, subjectUid, ASN1_BIT_STRING, 2),
                ASN1_EXP_SEQUENCE_OF_OPT(SignedPartOutline, extensions, X509_EXTENSION, 3),
} static_ASN1_SEQUENCE_END(SignedPartOutline)

                ASN1_SEQUENCE(CertificateOutline) =
                    {
                        ASN1_SIMPLE(CertificateOutline, signedPart, SignedPartOutline),
                        ASN1_SIMPLE(CertificateOutline, algorithm, X509_ALGOR),
                        ASN1_SIMPLE(CertificateOutline, signature, ASN1_BIT_STRING),
} static_ASN1_SEQUENCE_END(CertificateOutline)

                        void releaseOutline(CertificateOutline * outline) {
    ASN1_item_free(reinterpret_cast<ASN1_VALUE*>(outline), ASN1_ITEM_rptr(CertificateOutline));
}

QDateTime moment(const ASN1_TIME* time) {
    // A missing time would be read as now.
    tm parts{};
    if (!time || ASN1_TIME_to_tm(time, &parts) != 1)
        return QDateTime();
    // Qt counts no year 0: the year before 1 is its -1.
    const int year = parts.tm_year + 1900;
    const QDate date(year < 1 ? year - 1 : year, parts.tm_mon + 1, parts.tm_mday);
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
    return QCoreApplication::translate("CertificateSummary", "adı olmayan eğri, %1 bit").arg(bits);
}

QString keyText(X509* certificate) {
    ASN1_OBJECT* algorithm = nullptr;
    const X509_PUBKEY* info = X509_get_X509_PUBKEY(certificate);
    if (!info || X509_PUBKEY_get0_param(&algorithm, nullptr, nullptr, nullptr, info) != 1)
        return undecoded();
    EVP_PKEY* key = X509_get0_pubkey(certificate);
    if (!key)
        return QStringLiteral("%1 (%2)").arg(undecoded(), objectName(algorithm, false));
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

QString algorithmName(const X509_ALGOR* algorithm) {
    const ASN1_OBJECT* object = nullptr;
    if (algorithm)
        X509_ALGOR_get0(&object, nullptr, nullptr, algorithm);
    return object ? objectName(object, false) : undecoded();
}

// The algorithm the signature was made with; the signed part names one too, and where the two
// differ the certificate contradicts itself.
QString signatureAlgorithm(X509* certificate) {
    const X509_ALGOR* outer = nullptr;
    X509_get0_signature(nullptr, &outer, certificate);
    const X509_ALGOR* inner = X509_get0_tbs_sigalg(certificate);
    const QString shown = algorithmName(outer);
    if (outer && inner && X509_ALGOR_cmp(outer, inner) != 0)
        return QCoreApplication::translate("CertificateSummary",
                                           "%1 (uyuşmuyor: imzalanan bölümde %2 yazıyor)")
            .arg(shown, algorithmName(inner));
    return shown;
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
        return QCoreApplication::translate("CertificateSummary", "Hayır");
    if (!constraints.value->pathlen)
        return QCoreApplication::translate("CertificateSummary", "Evet");
    int64_t below = 0;
    if (ASN1_INTEGER_get_int64(&below, constraints.value->pathlen) != 1)
        return QCoreApplication::translate("CertificateSummary",
                                           "Evet, altındaki ara sertifika sınırı ") +
               undecoded();
    return below < 0
               ? QCoreApplication::translate("CertificateSummary",
                                             "Evet, altındaki ara sertifika sınırı geçersiz: %1")
                     .arg(below)
               : QCoreApplication::translate("CertificateSummary",
                                             "Evet, altında en çok %1 ara sertifika")
                     .arg(below);
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

// A text as an item of a list: its commas escaped so that none poses as two items.
QString listItem(QString text) {
    return text.trimmed().isEmpty()
               ? QCoreApplication::translate("CertificateSummary", "(boş)")
               : text.replace(u'\\', QStringLiteral("\\\\")).replace(u',', QStringLiteral("\\,"));
}

QString joinedList(const QStringList& items) {
    return items.isEmpty() ? absent() : items.join(QStringLiteral(", "));
}

// Any kind of name a certificate gives, as an item of a list; DNS names and addresses are also
// collected for matching the host. A directory name keeps its own escaping, in brackets: its
// values cannot hold a bare comma, so each comma inside separates its parts.
QString shownGeneralName(const GENERAL_NAME* name, QStringList* dnsNames = nullptr,
                         QList<QHostAddress>* addresses = nullptr) {
    switch (name->type) {
    case GEN_DNS: {
        const std::optional<QString> dns = text(name->d.dNSName);
        if (dns && dnsNames)
            *dnsNames << *dns;
        return listItem(orUndecoded(dns));
    }
    case GEN_IPADD:
        return shownAddress(name->d.iPAddress, addresses);
    case GEN_EMAIL:
        return QCoreApplication::translate("CertificateSummary", "e-posta ") +
               listItem(orUndecoded(text(name->d.rfc822Name)));
    case GEN_URI:
        return listItem(orUndecoded(text(name->d.uniformResourceIdentifier)));
    case GEN_DIRNAME:
        return QCoreApplication::translate("CertificateSummary", "dizin adı (") +
               readName(name->d.directoryName).line + u')';
    case GEN_RID:
        return QCoreApplication::translate("CertificateSummary", "kayıtlı kimlik ") +
               objectName(name->d.registeredID, false);
    default:
        return QCoreApplication::translate("CertificateSummary", "gösterilemeyen ad türü");
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
    summary.alternativeNames = joinedList(shown);
}

// Where the issuer's certificate and its revocation status are published; each address list is
// noted as undecoded on its own.
void readAuthorityAccess(X509* certificate, CertificateSummary& summary) {
    const Extension<AUTHORITY_INFO_ACCESS, AUTHORITY_INFO_ACCESS_free> access(certificate,
                                                                              NID_info_access);
    if (access.undecodable()) {
        summary.caIssuers = summary.ocsp = undecoded();
        summary.undecoded << CertificateField::caIssuers << CertificateField::ocsp;
        return;
    }
    QStringList caIssuers;
    QStringList ocsp;
    bool caIssuersUndecoded = false;
    bool ocspUndecoded = false;
    for (int i = 0; access.value && i < sk_ACCESS_DESCRIPTION_num(access.value.get()); ++i) {
        const ACCESS_DESCRIPTION* description = sk_ACCESS_DESCRIPTION_value(access.value.get(), i);
        const int before = undecodedParts;
        const QString address = shownGeneralName(description->location);
        const bool undecodedHere = undecodedParts != before;
        const int method = OBJ_obj2nid(description->method);
        if (method == NID_ad_ca_issuers) {
            caIssuers << address;
            caIssuersUndecoded |= undecodedHere;
        } else if (method == NID_ad_OCSP) {
            ocsp << address;
            ocspUndecoded |= undecodedHere;
        }
    }
    summary.caIssuers = joinedList(caIssuers);
    summary.ocsp = joinedList(ocsp);
    if (caIssuersUndecoded)
        summary.undecoded << CertificateField::caIssuers;
    if (ocspUndecoded)
        summary.undecoded << CertificateField::ocsp;
}

} // namespace

QString undecodedField() {
    return QCoreApplication::translate("CertificateSummary", "çözülemedi");
}

std::optional<CertificateSummary> readCertificate(QByteArrayView der) {
    const ErrorQueueMark mark;
    const auto* bytes = reinterpret_cast<const unsigned char*>(der.data());
    const Owned<X509, X509_free> owned(d2i_X509(nullptr, &bytes, long(der.size())));
    X509* const certificate = owned.get();
    if (!certificate)
        return std::nullopt;
    CertificateSummary summary;
    // Reads one field, noting it when a part of it did not decode.
    const auto field = [&summary](CertificateField which, auto read) {
        const int before = undecodedParts;
        read();
        if (undecodedParts != before)
            summary.undecoded << which;
    };
    Name subject;
    field(CertificateField::subject,
          [&] { subject = readName(X509_get_subject_name(certificate)); });
    summary.subject = subject.line;
    summary.subjectName = subject.commonName;
    field(CertificateField::issuer,
          [&] { summary.issuer = readName(X509_get_issuer_name(certificate)).line; });
    field(CertificateField::alternativeNames, [&] { readAlternativeNames(certificate, summary); });
    field(CertificateField::serialNumber,
          [&] { summary.serialNumber = serialNumber(certificate); });
    field(CertificateField::key, [&] { summary.key = keyText(certificate); });
    field(CertificateField::signatureAlgorithm,
          [&] { summary.signatureAlgorithm = signatureAlgorithm(certificate); });
    field(CertificateField::certificateAuthority,
          [&] { summary.certificateAuthority = certificateAuthority(certificate); });
    summary.effective = moment(X509_get0_notBefore(certificate));
    if (!summary.effective.isValid())
        summary.undecoded << CertificateField::effective;
    summary.expiry = moment(X509_get0_notAfter(certificate));
    if (!summary.expiry.isValid())
        summary.undecoded << CertificateField::expiry;
    field(CertificateField::sha256Fingerprint,
          [&] { summary.sha256Fingerprint = fingerprint(certificate, EVP_sha256()); });
    field(CertificateField::sha1Fingerprint,
          [&] { summary.sha1Fingerprint = fingerprint(certificate, EVP_sha1()); });
    field(CertificateField::keyPin, [&] { summary.keyPin = keyPin(certificate); });
    readAuthorityAccess(certificate, summary);
    return summary;
}

CertificateNames readCertificateNames(QByteArrayView der) {
    const ErrorQueueMark mark;
    const auto* bytes = reinterpret_cast<const unsigned char*>(der.data());
    const Owned<CertificateOutline, releaseOutline> outline(reinterpret_cast<CertificateOutline*>(
        ASN1_item_d2i(nullptr, &bytes, long(der.size()), ASN1_ITEM_rptr(CertificateOutline))));
    if (!outline)
        return {};
    return {readName(outline->signedPart->subject).line,
            readName(outline->signedPart->issuer).line};
}

CertificateBlock readCertificateBlock(QByteArrayView block) {
    const BlockBytes bytes = blockBytes(block);
    if (bytes.fault != BlockFault::none)
        return {std::nullopt, bytes.fault};
    std::optional<CertificateSummary> certificate = readCertificate(bytes.der);
    const BlockFault fault = certificate ? BlockFault::none : BlockFault::notDecodable;
    return {std::move(certificate), fault};
}

QString shownList(QStringList items) {
    for (QString& item : items)
        item = listItem(std::move(item));
    return joinedList(items);
}

QString fieldText(const CertificateSummary& certificate, CertificateField field) {
    switch (field) {
    case CertificateField::subject:
        return certificate.subject;
    case CertificateField::issuer:
        return certificate.issuer;
    case CertificateField::alternativeNames:
        return certificate.alternativeNames;
    case CertificateField::serialNumber:
        return certificate.serialNumber;
    case CertificateField::key:
        return certificate.key;
    case CertificateField::signatureAlgorithm:
        return certificate.signatureAlgorithm;
    case CertificateField::certificateAuthority:
        return certificate.certificateAuthority;
    case CertificateField::effective:
        return shownTime(certificate.effective);
    case CertificateField::expiry:
        return shownTime(certificate.expiry);
    case CertificateField::sha256Fingerprint:
        return certificate.sha256Fingerprint;
    case CertificateField::sha1Fingerprint:
        return certificate.sha1Fingerprint;
    case CertificateField::keyPin:
        return certificate.keyPin;
    case CertificateField::caIssuers:
        return certificate.caIssuers;
    case CertificateField::ocsp:
        return certificate.ocsp;
    }
    return QString();
}
