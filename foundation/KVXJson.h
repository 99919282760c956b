// The program's JSON document: one value, loaded from a text or a stream and written back
// compact or in the readable layout whose first line is "{".
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>
#include <string>

#include <nlohmann/json.hpp>

using TJsonValue = nlohmann::ordered_json;

// Objects and arrays nested deeper than this are refused as "Invalid JSON data": far beyond
// any menu or reply of the web API, and shallow enough for the recursive printer.
inline constexpr int MaxJsonDepth = 512;

class TKVXJson
{
public:
    // A document holding an empty object.
    TKVXJson();

    // Replaces the content by the value parsed from Text; an empty Text changes nothing.
    // Text that is not JSON, or nested deeper than MaxJsonDepth, leaves the document without
    // value and raises Exception "Invalid JSON data".
    void LoadFromString(const QString &Text);
    // As LoadFromString on UTF-8 bytes.
    void LoadFromBytes(const QByteArray &Bytes);
    // Reads the whole device from its start and loads it as UTF-8 JSON text.
    void LoadFromStream(QIODevice &Stream);
    // The document as JSON text: readable (CR LF, two blanks a level) or compact. A document
    // without value gives "".
    QString GetText(bool Readable) const;
    // The same text as UTF-8 bytes.
    QByteArray GetBytes(bool Readable) const;
    // Writes GetBytes(Readable) at the device's position: no byte-order mark, no final line
    // end. A short write raises EInOutError.
    void SaveToStream(QIODevice &Stream, bool Readable) const;

    // The root, or Exception "JSON document has no value" after a failed load.
    TJsonValue &GetRoot();
    const TJsonValue &GetRoot() const;

    // The document's content; empty after a failed load.
    std::unique_ptr<TJsonValue> Root;
};

// Writes Value as compact JSON text (UTF-8 bytes) or in the readable layout.
std::string KVXJsonToText(const TJsonValue &Value, bool Readable);

// A program text as a JSON string value (UTF-8).
std::string JsonStr(const QString &S);
// A JSON value as a program text: a string's text, "" for null, the compact JSON text of any
// other value (12, true).
QString QStr(const TJsonValue &Value);

// Member Name of Object read with the type its reader expects: true and Value set when Object
// is an object whose member is an integer within int (a value cut to fit would be another
// number) / a string; false, Value untouched, for anything else.
bool JsonIntMember(const TJsonValue &Object, const char *Name, int &Value);
bool JsonTextMember(const TJsonValue &Object, const char *Name, QString &Value);
