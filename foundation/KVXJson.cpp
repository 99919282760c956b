#include "KVXJson.h"

#include "SysUtils.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const char HexDigits[] = "0123456789ABCDEF";

void WriteString(std::string &Out, const std::string &S)
{
    Out += '"';
    for (const char Ch : S) {
        const auto C = static_cast<unsigned char>(Ch);
        switch (C) {
        case '"':
            Out += "\\\"";
            break;
        case '\\':
            Out += "\\\\";
            break;
        case '/':
            Out += "\\/";
            break;
        case '\b':
            Out += "\\b";
            break;
        case '\t':
            Out += "\\t";
            break;
        case '\n':
            Out += "\\n";
            break;
        case '\f':
            Out += "\\f";
            break;
        case '\r':
            Out += "\\r";
            break;
        default:
            if (C < 0x20) {
                Out += "\\u00";
                Out += HexDigits[C >> 4];
                Out += HexDigits[C & 0x0F];
            } else {
                Out += Ch;
            }
        }
    }
    Out += '"';
}

// The shortest of 15, 16 or 17 significant digits that reads back as the same double: 15
// keeps the usual short form (0.1, 2.5), and 17 always suffices, so the largest doubles stay
// readable by the parser instead of rounding past the end of the range.
std::string DoubleText(double D)
{
    for (int Precision = 15;; ++Precision) {
        const std::string Text = FloatToStrGeneral(D, QLatin1Char('.'), Precision).toStdString();
        double Back = 0;
        const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), Back);
        if (Precision >= 17 || (R.ec == std::errc() && Back == D))
            return Text;
    }
}

// The deepest nesting of objects and arrays in a JSON text, counted outside strings. The
// printer recurses once per level; a document nested beyond any real one is refused before
// it is parsed, so that neither the printer nor anything else walks it.
bool NestedTooDeep(const char *P, const char *End)
{
    int Depth = 0;
    bool InString = false;
    for (; P < End; ++P) {
        const char C = *P;
        if (InString) {
            if (C == '\\')
                ++P;
            else if (C == '"')
                InString = false;
        } else if (C == '"') {
            InString = true;
        } else if (C == '[' || C == '{') {
            if (++Depth > MaxJsonDepth)
                return true;
        } else if (C == ']' || C == '}') {
            --Depth;
        }
    }
    return false;
}

void WriteScalar(std::string &Out, const TJsonValue &V)
{
    switch (V.type()) {
    case TJsonValue::value_t::string:
        WriteString(Out, V.get_ref<const std::string &>());
        break;
    case TJsonValue::value_t::number_integer:
        Out += std::to_string(V.get<std::int64_t>());
        break;
    case TJsonValue::value_t::number_unsigned:
        Out += std::to_string(V.get<std::uint64_t>());
        break;
    case TJsonValue::value_t::number_float: {
        const double D = V.get<double>();
        // NAN and INF have no JSON form; null keeps the text readable by any parser.
        if (std::isfinite(D))
            Out += DoubleText(D);
        else
            Out += "null";
        break;
    }
    case TJsonValue::value_t::boolean:
        Out += V.get<bool>() ? "true" : "false";
        break;
    default:
        Out += "null";
        break;
    }
}

void WriteCompact(std::string &Out, const TJsonValue &V)
{
    if (V.is_object()) {
        Out += '{';
        bool First = true;
        for (auto It = V.begin(); It != V.end(); ++It) {
            if (!First)
                Out += ',';
            First = false;
            WriteString(Out, It.key());
            Out += ':';
            WriteCompact(Out, It.value());
        }
        Out += '}';
    } else if (V.is_array()) {
        Out += '[';
        bool First = true;
        for (const TJsonValue &Item : V) {
            if (!First)
                Out += ',';
            First = false;
            WriteCompact(Out, Item);
        }
        Out += ']';
    } else {
        WriteScalar(Out, V);
    }
}

// Members and items sit two blanks deeper than the line that opened their value; the
// closing bracket comes back to that line's indentation.
void WriteReadable(std::string &Out, const TJsonValue &V, int Indent)
{
    const bool IsObject = V.is_object();
    if ((!IsObject && !V.is_array()) || V.empty()) {
        WriteCompact(Out, V);
        return;
    }
    Out += IsObject ? '{' : '[';
    Out += "\r\n";
    const std::string Inner(std::size_t(Indent + 2), ' ');
    bool First = true;
    for (auto It = V.begin(); It != V.end(); ++It) {
        if (!First)
            Out += ",\r\n";
        First = false;
        Out += Inner;
        if (IsObject) {
            WriteString(Out, It.key());
            Out += ':';
        }
        WriteReadable(Out, It.value(), Indent + 2);
    }
    Out += "\r\n";
    Out += std::string(std::size_t(Indent), ' ');
    Out += IsObject ? '}' : ']';
}

} // namespace

std::string KVXJsonToText(const TJsonValue &Value, bool Readable)
{
    std::string Out;
    if (Readable)
        WriteReadable(Out, Value, 0);
    else
        WriteCompact(Out, Value);
    return Out;
}

TKVXJson::TKVXJson() : Root(std::make_unique<TJsonValue>(TJsonValue::object())) {}

void TKVXJson::LoadFromString(const QString &Text)
{
    if (Text.isEmpty())
        return;
    LoadFromBytes(Text.toUtf8());
}

void TKVXJson::LoadFromBytes(const QByteArray &Bytes)
{
    if (Bytes.isEmpty())
        return;
    Root.reset();
    if (NestedTooDeep(Bytes.constData(), Bytes.constData() + Bytes.size()))
        throw Exception(QStringLiteral("Invalid JSON data"));
    TJsonValue Parsed = TJsonValue::parse(Bytes.constData(), Bytes.constData() + Bytes.size(), nullptr, false);
    if (Parsed.is_discarded())
        throw Exception(QStringLiteral("Invalid JSON data"));
    Root = std::make_unique<TJsonValue>(std::move(Parsed));
}

void TKVXJson::LoadFromStream(QIODevice &Stream)
{
    if (!Stream.isSequential() && !Stream.seek(0))
        throw EInOutError(0, Stream.errorString());
    LoadFromBytes(Stream.readAll());
}

QString TKVXJson::GetText(bool Readable) const
{
    return QString::fromUtf8(GetBytes(Readable));
}

QByteArray TKVXJson::GetBytes(bool Readable) const
{
    if (!Root)
        return QByteArray();
    const std::string Text = KVXJsonToText(*Root, Readable);
    return QByteArray(Text.data(), qsizetype(Text.size()));
}

void TKVXJson::SaveToStream(QIODevice &Stream, bool Readable) const
{
    const QByteArray Bytes = GetBytes(Readable);
    if (Stream.write(Bytes) != Bytes.size())
        throw EInOutError(0, Stream.errorString());
}

TJsonValue &TKVXJson::GetRoot()
{
    if (!Root)
        throw Exception(QStringLiteral("JSON document has no value"));
    return *Root;
}

const TJsonValue &TKVXJson::GetRoot() const
{
    if (!Root)
        throw Exception(QStringLiteral("JSON document has no value"));
    return *Root;
}

std::string JsonStr(const QString &S)
{
    return S.toStdString();
}

QString QStr(const TJsonValue &Value)
{
    if (Value.is_string())
        return QString::fromStdString(Value.get_ref<const std::string &>());
    if (Value.is_null())
        return QString();
    return QString::fromStdString(KVXJsonToText(Value, false));
}

namespace {

// The member Name of Object, or null when Object is no object or has no such member.
const TJsonValue *FindMember(const TJsonValue &Object, const char *Name)
{
    if (!Object.is_object())
        return nullptr;
    const auto It = Object.find(Name);
    return It == Object.end() ? nullptr : &*It;
}

} // namespace

bool JsonIntMember(const TJsonValue &Object, const char *Name, int &Value)
{
    const TJsonValue *It = FindMember(Object, Name);
    if (!It || !It->is_number_integer())
        return false;
    if (It->is_number_unsigned()) {
        if (It->get<std::uint64_t>() > std::uint64_t(std::numeric_limits<int>::max()))
            return false;
    } else {
        const std::int64_t Signed = It->get<std::int64_t>();
        if (Signed < std::numeric_limits<int>::min() || Signed > std::numeric_limits<int>::max())
            return false;
    }
    Value = static_cast<int>(It->get<std::int64_t>());
    return true;
}

bool JsonTextMember(const TJsonValue &Object, const char *Name, QString &Value)
{
    const TJsonValue *It = FindMember(Object, Name);
    if (!It || !It->is_string())
        return false;
    Value = QString::fromStdString(It->get_ref<const std::string &>());
    return true;
}
