#include "UnitTools.h"

#include "KVXConversion.h"
#include "KVXFiles.h"
#include "KVXStrings.h"
#include "UnitConfig.h"
#include "UnitTypes.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QUrl>

#include <cmath>

// ---------------------------------------------------------------------------------------
// Log
// ---------------------------------------------------------------------------------------

void WriteLog(const QString &Msg, const QString &Context, QStringList *Lines)
{
    Wrap("WriteLog", [&] {
        if (!Config)
            throw Exception(QStringLiteral("The configuration is not initialised"));
        QString Line = KVXDateTimeToString(dtkDateTime, false, Now()) + QStringLiteral(" | ");
        if (!Context.isEmpty())
            Line += Format(QStringLiteral("[%s] "), {Context});
        Line += Msg;
        // Appended only onto the log itself: never through a link into another of the
        // program's files.
        KVXWriteLine(Config->LogFileName, Line, false, Config->OwnFileCheck(Config->LogFileName));
        if (Lines)
            Lines->append(Line);
    });
}

void WriteLogQuietly(const QString &Msg, const QString &Context) noexcept
{
    try {
        WriteLog(Msg, Context);
    } catch (...) {
    }
}

namespace {

// 'Le fichier "<file>" est trop grand (4,0 Go).', the size left out when unknown.
QString TooLargeReason(const QString &File, qint64 Size)
{
    if (Size < 0)
        return Format(QStringLiteral("Le fichier \"%s\" est trop grand."), {File});
    return Format(QStringLiteral("Le fichier \"%s\" est trop grand (%s)."), {File, SizeToStr(Size)});
}

} // namespace

QString SizeToStr(qint64 Bytes)
{
    return UserLocale().formattedDataSize(Bytes, 1, QLocale::DataSizeTraditionalFormat);
}

QString AddFileFailureReason(const QString &Text, const std::exception &E)
{
    const QString Reason = FileFailureReason(E);
    return Reason.isEmpty() ? Text : Text + QStringLiteral("\r\n") + Reason;
}

QString FileFailureReason(const std::exception &E)
{
    if (const auto *Write = dynamic_cast<const EFileWriteError *>(&E)) {
        // The file as the caller named it; a link's destination only where it is the point.
        const QString &File = Write->FileName;
        switch (Write->Problem) {
        case TWriteProblem::DiskFull:
            return QStringLiteral("Le disque est plein.");
        case TWriteProblem::FolderClosed:
            return Format(QStringLiteral("Le dossier \"%s\" est protégé en écriture."), {Write->Folder});
        case TWriteProblem::FolderMissing:
            return Format(QStringLiteral("Le dossier \"%s\" n'existe pas."), {Write->Folder});
        case TWriteProblem::ReadOnly:
            return Format(QStringLiteral("Le fichier \"%s\" est en lecture seule."), {File});
        case TWriteProblem::IsFolder:
            return Format(QStringLiteral("\"%s\" est un dossier."), {File});
        case TWriteProblem::NotRegular:
            return Format(QStringLiteral("\"%s\" n'est pas un fichier ordinaire."), {File});
        case TWriteProblem::NameTooLong:
            return QStringLiteral("Le nom du fichier est trop long.");
        case TWriteProblem::TooLarge:
            return TooLargeReason(File, Write->Size);
        case TWriteProblem::OwnFile:
            return Format(QStringLiteral("Ce nom mène au fichier \"%s\", que le programme utilise déjà."),
                          {Write->Target});
        case TWriteProblem::Other:
            break;
        }
    } else if (const auto *Read = dynamic_cast<const EFileReadError *>(&E)) {
        switch (Read->Problem) {
        case TReadProblem::Missing:
            return Format(QStringLiteral("Le fichier \"%s\" n'existe pas."), {Read->FileName});
        case TReadProblem::NotRegular:
            return Format(QStringLiteral("\"%s\" n'est pas un fichier ordinaire."), {Read->FileName});
        case TReadProblem::TooLarge:
            return TooLargeReason(Read->FileName, Read->Size);
        case TReadProblem::Other:
            break;
        }
    }
    const auto *InOut = dynamic_cast<const EInOutError *>(&E);
    if (!InOut)
        return QString();
    switch (InOut->ErrorCode) {
    case 2:
        return QStringLiteral("Le fichier n'existe pas.");
    case 3:
        return QStringLiteral("Le nom du fichier n'est pas valide.");
    case 4:
        return QStringLiteral("Trop de fichiers sont ouverts.");
    case 5:
        return QStringLiteral("L'accès au fichier est refusé.");
    case 101:
        return QStringLiteral("Le disque est plein.");
    default:
        return Format(QStringLiteral("Le système a signalé l'erreur d'entrée-sortie %d."), {InOut->ErrorCode});
    }
}

// ---------------------------------------------------------------------------------------
// Labels
// ---------------------------------------------------------------------------------------

namespace {

template <int N> QString Label(const char16_t *const (&Table)[N], int Code)
{
    if (Code < 0 || Code >= N)
        return QString();
    return QString::fromUtf16(Table[Code]);
}

QString Capitalized(const QString &S, bool Capitalize)
{
    return Capitalize ? KVXCapitalize(S) : S;
}

} // namespace

QString RepasToStr(int Code, bool Capitalize, bool FirstLetterOnly)
{
    static const char16_t *const Names[] = {u"midi et soir", u"midi", u"soir"};
    QString Result = Capitalized(Label(Names, Code), Capitalize);
    if (FirstLetterOnly)
        Result.truncate(1);
    return Result;
}

QString TypeToStr(int Code, bool Capitalize)
{
    static const char16_t *const Names[] = {u"entrée", u"plat", u"dessert", u"boisson"};
    return Capitalized(Label(Names, Code), Capitalize);
}

QString SaisonToStr(int Code, bool Capitalize)
{
    static const char16_t *const Names[] = {u"toute saison", u"printemps-été", u"automne-hiver"};
    return Capitalized(Label(Names, Code), Capitalize);
}

QString DateToLongStr(bool Capitalize, TDateTime Date)
{
    return Capitalized(FormatDateTime(QStringLiteral("dddd d mmmm"), Date), Capitalize);
}

QString LineTypeToStr(int Code)
{
    static const char16_t *const Names[] = {u"Date", u"Repas", u"Recette", u"Rayon", u"Ingrédient", u"Article"};
    return Label(Names, Code);
}

QString OperatorToStr(int Code)
{
    // Operator 3 ("between") is written by the filter builder with the texts of 1 and 2.
    static const char16_t *const Names[] = {u"=", u">=", u"<=", u"", u"like"};
    return Label(Names, Code);
}

// ---------------------------------------------------------------------------------------
// Quantities and seasons
// ---------------------------------------------------------------------------------------

QString FormatIngredient(const QString &UnitName, const QString &Name, const QString &Note, bool ShowQuantity,
                         double Quantity)
{
    return Wrap("FormatIngredient", [&] {
        const double Q = FloatRound(Quantity);
        QString Result;
        if (ShowQuantity && Q > 0) {
            // Q has one decimal below 1, so 0.2 and 0.7 fall within the tolerance while 0.3
            // and 0.8 (computed as 3 x 0.1 and 8 x 0.1) lie just outside it.
            if (std::fabs(Q - 0.5) <= 0.05)
                Result = QStringLiteral("1/2 ");
            else if (std::fabs(Q - 0.25) <= 0.05)
                Result = QStringLiteral("1/4 ");
            else if (std::fabs(Q - 0.75) <= 0.05)
                Result = QStringLiteral("3/4 ");
            else
                Result = FloatToStr(Q) + QLatin1Char(' ');
            if (!UnitName.isEmpty())
                Result += UnitName + QLatin1Char(' ');
        }
        Result += Name;
        if (!Note.isEmpty())
            Result += Format(QStringLiteral(" (%s)"), {Note});
        return Result;
    });
}

double FloatRound(double X)
{
    return Wrap("FloatRound", [X] {
        int N = 0;
        double D = 10;
        while (X / D >= 1) {
            ++N;
            D *= 10;
        }
        // The step is 10^(N-1): 0.1 below 10, 1 below 100, 10 below 1000...
        double F = 0.1;
        if (N > 0) {
            F = 1;
            for (int I = 1; I < N; ++I)
                F *= 10;
        }
        // nearbyint follows the round-to-nearest mode: halves go to the even neighbour.
        return std::nearbyint(X / F) * F;
    });
}

int CurrentSaison()
{
    const TDateTime Day = Today();
    int Year = 0;
    int Month = 0;
    int DayOfMonth = 0;
    DecodeDate(Day, Year, Month, DayOfMonth);
    const QString Y = QString::number(Year);
    const TDateTime Autumn = KVXStringToDateTime(Y + QStringLiteral("-09-23"), false, 0);
    if (Autumn > Day) {
        const TDateTime Spring = KVXStringToDateTime(Y + QStringLiteral("-03-20"), false, 0);
        if (Spring < Day)
            return 1;
    }
    return 2;
}

// ---------------------------------------------------------------------------------------
// Accent folding
// ---------------------------------------------------------------------------------------

namespace {

// Base letters of U+00C0..U+017F (Latin-1 letters and Latin Extended-A), sixteen a line.
// Ligatures keep their first letter; "?" marks the two signs of the block (x and /).
constexpr char LatinFold[] = "AAAAAAACEEEEIIII"  // U+00C0
                             "DNOOOOO?OUUUUYTs"  // U+00D0
                             "aaaaaaaceeeeiiii"  // U+00E0
                             "dnooooo?ouuuuyty"  // U+00F0
                             "AaAaAaCcCcCcCcDd"  // U+0100
                             "DdEeEeEeEeEeGgGg"  // U+0110
                             "GgGgHhHhIiIiIiIi"  // U+0120
                             "IiIiJjKkkLlLlLlL"  // U+0130
                             "lLlNnNnNnnNnOoOo"  // U+0140
                             "OoOoRrRrRrSsSsSs"  // U+0150
                             "SsTtTtTtUuUuUuUu"  // U+0160
                             "UuUuWwYyYZzZzZzs"; // U+0170

static_assert(sizeof(LatinFold) == 0x180 - 0xC0 + 1, "one letter for each character of the block");

} // namespace

char CharToAscii(char32_t C)
{
    if (C < 0x80)
        return static_cast<char>(C);
    if (C >= 0xC0 && C < 0x180)
        return LatinFold[C - 0xC0];
    // The no-break space of French typography (before ":" or "?") is a blank.
    if (C == 0xA0)
        return ' ';
    return '?';
}

QString StrToAscii(const QString &S)
{
    QString Result(S.size(), Qt::Uninitialized);
    QChar *Out = Result.data();
    for (const QChar C : S)
        *Out++ = QLatin1Char(CharToAscii(C.unicode()));
    return Result;
}

QString LikeValue(const QString &S)
{
    return QLatin1Char('%') + S + QLatin1Char('%');
}

// ---------------------------------------------------------------------------------------
// Type-ahead
// ---------------------------------------------------------------------------------------

namespace {

std::function<quint32()> &TickCountFunction()
{
    static std::function<quint32()> Fn;
    return Fn;
}

} // namespace

quint32 GetTickCount()
{
    if (const auto &Fn = TickCountFunction())
        return Fn();
    // The monotonic clock counts from the system's start, like the Windows tick count.
    QElapsedTimer Timer;
    Timer.start();
    return static_cast<quint32>(Timer.msecsSinceReference());
}

void SetTickCountFunction(std::function<quint32()> Fn)
{
    TickCountFunction() = std::move(Fn);
}

QChar TypeAheadChar(QChar Key)
{
    char C = CharToAscii(Key.unicode());
    if (C >= 'A' && C <= 'Z')
        C = static_cast<char>(C - 'A' + 'a');
    const bool Taken = (C >= '0' && C <= '9') || (C >= 'a' && C <= 'z') || C == ' ' || C == '\'' || C == '-';
    return Taken ? QChar(QLatin1Char(C)) : QChar();
}

int AutoComplete(QChar Key, const QStringList &Items, quint32 &LastTick, QString &Typed)
{
    return Wrap("AutoComplete", [&]() -> int {
        const QChar Folded = TypeAheadChar(Key);
        if (Folded.isNull())
            return -1;
        const quint32 Tick = GetTickCount();
        // Unsigned subtraction: the counter's wrap does no harm.
        if (quint32(Tick - LastTick) >= 500)
            Typed.clear();
        LastTick = Tick;
        Typed += Folded;
        // The items are sorted without regard to accents: stop at the first one that is not
        // below the typed text, which is the first match when there is one.
        for (int I = 0; I < Items.size(); ++I) {
            if (CompareText(StrToAscii(Items[I].left(Typed.size())), Typed) >= 0)
                return I;
        }
        return static_cast<int>(Items.size()) - 1;
    });
}

// ---------------------------------------------------------------------------------------
// Documents
// ---------------------------------------------------------------------------------------

namespace {

TOpenDocumentFunction &OpenDocumentFunction()
{
    static TOpenDocumentFunction Fn;
    return Fn;
}

} // namespace

void SetOpenDocumentFunction(TOpenDocumentFunction Fn)
{
    OpenDocumentFunction() = std::move(Fn);
}

bool OpenDocument(const QString &FileName)
{
    if (const auto &Fn = OpenDocumentFunction())
        return Fn(FileName);
    return QDesktopServices::openUrl(QUrl::fromUserInput(FileName));
}
