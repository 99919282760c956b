#include "KVXJson.h"

#include "SysUtils.h"

#include <cmath>

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
            Out += FloatToStrGeneral(D, QLatin1Char('.')).toStdString();
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
