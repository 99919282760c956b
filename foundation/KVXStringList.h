// The string list of the class library (TStringList) and the in-house list with split,
// join and case-insensitive search (TKVXStringList).
#pragma once

#include "SysUtils.h"

#include <QString>
#include <QStringList>

// How a sorted list treats an item equal to one it holds.
enum class TDuplicates
{
    dupIgnore, // the item is not added; Add returns the index of the one held
    dupAccept, // the item is added beside the one held
    dupError   // EStringListError "String list does not allow duplicates"
};

// An ordered list of texts. Items are compared by the list's rule: by the user's locale,
// without regard to case unless CaseSensitive. A sorted list keeps its items in that order
// and is searched by halves. Indexes count from 0; an index outside the list raises
// EStringListError "List index out of bounds (%d)".
class TStringList
{
public:
    TStringList() = default;
    virtual ~TStringList() = default;
    TStringList(const TStringList &) = default;
    TStringList &operator=(const TStringList &) = default;
    TStringList(TStringList &&) noexcept = default;
    TStringList &operator=(TStringList &&) noexcept = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.isEmpty(); }

    // Read access with the index check.
    const QString &Strings(int Index) const;
    const QString &operator[](int Index) const { return Strings(Index); }
    // Replaces an item (not allowed on a sorted list).
    void Put(int Index, const QString &S);

    // Appends S, or inserts it in order in a sorted list; returns its index.
    int Add(const QString &S);
    // Adds every item of Source.
    void AddStrings(const TStringList &Source);
    // Inserts at Index, 0..Count (not allowed on a sorted list: "Operation not allowed on
    // sorted list").
    void Insert(int Index, const QString &S);
    void Delete(int Index);
    void Clear();
    // Swaps two items (not allowed on a sorted list).
    void Exchange(int Index1, int Index2);

    // Index of the first item equal to S by the list's rule, or -1.
    int IndexOf(const QString &S) const;
    // Binary search of a sorted list: true when found; Index is where S is or would go.
    bool Find(const QString &S, int &Index) const;
    // Sorts by the list's rule.
    void Sort();

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

    QChar Delimiter() const { return FDelimiter; }
    void SetDelimiter(QChar Value) { FDelimiter = Value; }
    QChar QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(QChar Value) { FQuoteChar = Value; }
    // When false, blanks and control characters also separate items in DelimitedText.
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
    QChar NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(QChar Value) { FNameValueSeparator = Value; }

    // Items joined by Delimiter; an item holding the delimiter, the quote character (or,
    // when not strict, a blank or control character) is quoted with inner quotes doubled.
    QString DelimitedText() const;
    // Clears the list and adds the items of Value read by the same rules.
    void SetDelimitedText(const QString &Value);
    // DelimitedText with "," and '"', not strict, whatever the list's own settings.
    QString CommaText() const;
    void SetCommaText(const QString &Value);

    // Every item followed by CR LF.
    QString Text() const;
    // Clears the list and adds the lines of Value (ended by CR LF, LF or CR; a last line end
    // adds no empty item).
    void SetText(const QString &Value);

    // Name=value items: the text before the first separator ("" when there is none), the
    // text after it, the value of the first item whose name equals Name by the list's rule
    // ("" when none). SetValues replaces that item, adds "Name=Value" when there is none, and
    // deletes the item when Value is empty.
    QString Names(int Index) const;
    QString ValueFromIndex(int Index) const;
    int IndexOfName(const QString &Name) const;
    QString Values(const QString &Name) const;
    void SetValues(const QString &Name, const QString &Value);

    // Clears the list and reads the lines of a text file (decoded by KVXDecodeText). A file
    // that cannot be opened raises EFOpenError 'Cannot open file "%s". %s'.
    void LoadFromFile(const QString &FileName);

    QStringList ToQStringList() const { return FItems; }
    void Assign(const QStringList &Items);

    QStringList::const_iterator begin() const { return FItems.cbegin(); }
    QStringList::const_iterator end() const { return FItems.cend(); }

protected:
    // Comparison by the list's rule.
    int CompareStrings(const QString &S1, const QString &S2) const;
    void CheckIndex(int Index) const;
    void CheckNotSorted() const;

private:
    QStringList FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = TDuplicates::dupIgnore;
    QChar FDelimiter = QLatin1Char(',');
    QChar FQuoteChar = QLatin1Char('"');
    bool FStrictDelimiter = false;
    QChar FNameValueSeparator = QLatin1Char('=');
};

// The in-house string list: the plain list plus split, join and a search with the
// letters A to Z folded.
class TKVXStringList : public TStringList
{
public:
    using TStringList::TStringList;

    // Adds the pieces of Text cut at every occurrence of the whole Separator (never clears
    // the list first). An empty Text adds one empty item when AddEmpty, else nothing; an
    // empty Separator adds Text as one item. Empty pieces, a last one included, are kept.
    void Split(const QString &Text, const QString &Separator, bool AddEmpty);
    // The items with GetSeparator(Separator) between two neighbours; "" for an empty list.
    QString Join(const QString &Separator = QString()) const;
    // With IgnoreCase, the first item equal to S by CompareText; else IndexOf. -1 when none.
    int IndexOfEx(const QString &S, bool IgnoreCase) const;
    // Separator, or the list's delimiter when Separator is empty.
    QString GetSeparator(const QString &Separator) const;
};
