#include "KVXStringList.h"

#include "KVXFiles.h"

#include <QFile>

#include <algorithm>

// ---------------------------------------------------------------------------------------
// TStringList
// ---------------------------------------------------------------------------------------

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TStringList::CheckNotSorted() const
{
    if (FSorted)
        throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
}

int TStringList::CompareStrings(const QString &S1, const QString &S2) const
{
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

const QString &TStringList::Strings(int Index) const
{
    CheckIndex(Index);
    return FItems.at(Index);
}

void TStringList::Put(int Index, const QString &S)
{
    CheckNotSorted();
    CheckIndex(Index);
    FItems[Index] = S;
}

int TStringList::Add(const QString &S)
{
    if (!FSorted) {
        FItems.append(S);
        return Count() - 1;
    }
    int Index = 0;
    if (Find(S, Index)) {
        if (FDuplicates == TDuplicates::dupIgnore)
            return Index;
        if (FDuplicates == TDuplicates::dupError)
            throw EStringListError(QStringLiteral("String list does not allow duplicates"));
    }
    FItems.insert(Index, S);
    return Index;
}

void TStringList::AddStrings(const TStringList &Source)
{
    // Copy first: Source may be this list.
    const QStringList Items = Source.FItems;
    for (const QString &S : Items)
        Add(S);
}

void TStringList::Insert(int Index, const QString &S)
{
    CheckNotSorted();
    if (Index < 0 || Index > Count())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    FItems.insert(Index, S);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    FItems.removeAt(Index);
}

void TStringList::Clear()
{
    FItems.clear();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckNotSorted();
    CheckIndex(Index1);
    CheckIndex(Index2);
    FItems.swapItemsAt(Index1, Index2);
}

int TStringList::IndexOf(const QString &S) const
{
    if (FSorted) {
        int Index = 0;
        return Find(S, Index) ? Index : -1;
    }
    for (int I = 0; I < Count(); ++I) {
        if (CompareStrings(FItems.at(I), S) == 0)
            return I;
    }
    return -1;
}

bool TStringList::Find(const QString &S, int &Index) const
{
    // Finds the first of equal items, so that IndexOf on a sorted list agrees with a scan.
    int Low = 0;
    int High = Count() - 1;
    bool Found = false;
    while (Low <= High) {
        const int Mid = (Low + High) / 2;
        const int C = CompareStrings(FItems.at(Mid), S);
        if (C < 0) {
            Low = Mid + 1;
        } else {
            High = Mid - 1;
            if (C == 0) {
                Found = true;
                if (FDuplicates != TDuplicates::dupAccept)
                    Low = Mid;
            }
        }
    }
    Index = Low;
    return Found;
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const QString &A, const QString &B) { return CompareStrings(A, B) < 0; });
}

void TStringList::SetSorted(bool Value)
{
    if (Value && !FSorted)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == FCaseSensitive)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        Sort();
}

QString TStringList::DelimitedText() const
{
    if (Count() == 1 && FItems.at(0).isEmpty())
        return QString(FQuoteChar) + FQuoteChar;
    QString Result;
    for (int I = 0; I < Count(); ++I) {
        const QString &S = FItems.at(I);
        bool Quote = false;
        // A NUL is a character like another: an item holding one is quoted, since reading
        // takes an unquoted NUL for a blank between items.
        for (const QChar C : S) {
            if (C == FQuoteChar || C == FDelimiter || (!FStrictDelimiter && C.unicode() <= ' ')) {
                Quote = true;
                break;
            }
        }
        if (I > 0)
            Result += FDelimiter;
        if (Quote) {
            QString Inner = S;
            Inner.replace(FQuoteChar, QString(FQuoteChar) + FQuoteChar);
            Result += FQuoteChar + Inner + FQuoteChar;
        } else {
            Result += S;
        }
    }
    return Result;
}

void TStringList::SetDelimitedText(const QString &Value)
{
    Clear();
    const int N = Value.size();
    int P = 0;
    // A NUL is a blank like the other control characters: the item scanner stops at it too,
    // so skipping anything less would leave it there and add empty items forever.
    auto IsBlank = [&](int I) { return I < N && Value[I].unicode() <= ' '; };
    if (!FStrictDelimiter) {
        while (IsBlank(P))
            ++P;
    }
    while (P < N) {
        QString S;
        if (Value[P] == FQuoteChar) {
            // A quoted item runs to the next single quote character; doubled ones stand for
            // one. An unclosed quote takes the rest of the text.
            ++P;
            while (P < N) {
                if (Value[P] == FQuoteChar) {
                    if (P + 1 < N && Value[P + 1] == FQuoteChar) {
                        S += FQuoteChar;
                        P += 2;
                        continue;
                    }
                    ++P;
                    break;
                }
                S += Value[P++];
            }
        } else {
            const int Start = P;
            while (P < N && (FStrictDelimiter || Value[P].unicode() > ' ') && Value[P] != FDelimiter)
                ++P;
            S = Value.mid(Start, P - Start);
        }
        Add(S);
        if (!FStrictDelimiter) {
            while (IsBlank(P))
                ++P;
        }
        if (P < N && Value[P] == FDelimiter) {
            if (P + 1 == N)
                Add(QString());
            do {
                ++P;
            } while (!FStrictDelimiter && IsBlank(P));
        }
    }
}

QString TStringList::CommaText() const
{
    TStringList Copy;
    Copy.FItems = FItems;
    return Copy.DelimitedText();
}

void TStringList::SetCommaText(const QString &Value)
{
    TStringList Parsed;
    Parsed.SetDelimitedText(Value);
    Clear();
    AddStrings(Parsed);
}

QString TStringList::Text() const
{
    QString Result;
    for (const QString &S : FItems) {
        Result += S;
        Result += QLatin1String("\r\n");
    }
    return Result;
}

void TStringList::SetText(const QString &Value)
{
    Clear();
    const int N = Value.size();
    int P = 0;
    while (P < N) {
        const int Start = P;
        while (P < N && Value[P] != QLatin1Char('\r') && Value[P] != QLatin1Char('\n'))
            ++P;
        Add(Value.mid(Start, P - Start));
        if (P < N && Value[P] == QLatin1Char('\r'))
            ++P;
        if (P < N && Value[P] == QLatin1Char('\n'))
            ++P;
    }
}

QString TStringList::Names(int Index) const
{
    const QString &S = Strings(Index);
    const int P = S.indexOf(FNameValueSeparator);
    return P < 0 ? QString() : S.left(P);
}

QString TStringList::ValueFromIndex(int Index) const
{
    const QString &S = Strings(Index);
    const int P = S.indexOf(FNameValueSeparator);
    return P < 0 ? QString() : S.mid(P + 1);
}

int TStringList::IndexOfName(const QString &Name) const
{
    for (int I = 0; I < Count(); ++I) {
        const QString &S = FItems.at(I);
        const int P = S.indexOf(FNameValueSeparator);
        if (P >= 0 && CompareStrings(S.left(P), Name) == 0)
            return I;
    }
    return -1;
}

QString TStringList::Values(const QString &Name) const
{
    const int I = IndexOfName(Name);
    return I < 0 ? QString() : ValueFromIndex(I);
}

void TStringList::SetValues(const QString &Name, const QString &Value)
{
    int I = IndexOfName(Name);
    if (Value.isEmpty()) {
        if (I >= 0)
            Delete(I);
        return;
    }
    const QString Item = Name + FNameValueSeparator + Value;
    if (I < 0) {
        Add(Item);
    } else if (FSorted) {
        // A sorted list keeps its order: the item is taken out and added back in place.
        Delete(I);
        Add(Item);
    } else {
        FItems[I] = Item;
    }
}

void TStringList::LoadFromFile(const QString &FileName)
{
    QFile F(FileName);
    if (!F.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, F.errorString()));
    const QByteArray Bytes = F.readAll();
    if (F.error() != QFileDevice::NoError)
        throw EInOutError(5, F.errorString());
    SetText(KVXDecodeText(Bytes));
}

void TStringList::Assign(const QStringList &Items)
{
    Clear();
    for (const QString &S : Items)
        Add(S);
}

// ---------------------------------------------------------------------------------------
// TKVXStringList
// ---------------------------------------------------------------------------------------

void TKVXStringList::Split(const QString &Text, const QString &Separator, bool AddEmpty)
{
    if (Text.isEmpty()) {
        if (AddEmpty)
            Add(QString());
        return;
    }
    if (Separator.isEmpty()) {
        Add(Text);
        return;
    }
    int Start = 0;
    int P = Text.indexOf(Separator, Start, Qt::CaseSensitive);
    while (P >= 0) {
        Add(Text.mid(Start, P - Start));
        Start = P + Separator.size();
        P = Text.indexOf(Separator, Start, Qt::CaseSensitive);
    }
    Add(Text.mid(Start));
}

QString TKVXStringList::Join(const QString &Separator) const
{
    return ToQStringList().join(GetSeparator(Separator));
}

int TKVXStringList::IndexOfEx(const QString &S, bool IgnoreCase) const
{
    if (!IgnoreCase)
        return IndexOf(S);
    for (int I = 0; I < Count(); ++I) {
        if (SameText(Strings(I), S))
            return I;
    }
    return -1;
}

QString TKVXStringList::GetSeparator(const QString &Separator) const
{
    return Separator.isEmpty() ? QString(Delimiter()) : Separator;
}
