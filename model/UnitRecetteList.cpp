#include "UnitRecetteList.h"

#include "KVXConversion.h"
#include "KVXFiles.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitIngredientList.h"
#include "UnitRandom.h"
#include "UnitSync.h"
#include "UnitTools.h"
#include "UnitTypes.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

namespace {

// Every query that becomes menu lines selects all recipe columns and the cookbook name.
constexpr const char *SelectRecette =
    "select r.*, l.name as livname from recette r left join livre l on r.livcode=l.code where ";

const char *const NoRecetteLeft = "Plus aucune recette disponible dans la base.\r\n"
                                  "Vérifiez que votre base contient suffisamment de recettes par rapport au nombre de "
                                  "menus à générer.\r\n"
                                  "Vérifiez également l'historique dans les options.";
const char *const RecetteMissing =
    "Soit la recette n'existe pas dans la base, soit elle est déjà présente dans la liste.";
const char *const WrongLineType = "Impossible de mettre à jour les informations de la recette,\r\n"
                                  "la ligne sélectionnée est de type incorrect (%s).";
const char *const CannotLoadRecette = "Impossible de charger la recette \"%s\".";
const char *const InvalidMenu = "Le menu n'a pas un format valide.";
// A menu of a year is under a megabyte: a larger file is no menu, and is not read.
constexpr qint64 MenuFileMaxSize = 16 * 1024 * 1024;

bool SameDay(TDateTime A, TDateTime B)
{
    return DateOf(A) == DateOf(B);
}

// One condition of a filter: "(x op p1)", or for "between" "(x >= p1) and (x <= p2)", and
// with an alternative value a, "(c or (x op a))".
QString FilterCondition(const QString &Column, int Op, const QString &Param, const QString &Alternative = QString())
{
    QString Result;
    if (Op == 3)
        Result = Format(QStringLiteral("(%s %s %s1) and (%s %s %s2)"),
                        {Column, OperatorToStr(1), Param, Column, OperatorToStr(2), Param});
    else
        Result = Format(QStringLiteral("(%s %s %s1)"), {Column, OperatorToStr(Op), Param});
    if (!Alternative.isEmpty())
        Result = Format(QStringLiteral("(%s or (%s %s %s))"), {Result, Column, OperatorToStr(Op), Alternative});
    return Result;
}

// The menu document's refusal: an English technical message for the log, a French text
// for the user.
[[noreturn]] void RefuseMenuDocument(const QString &Reason)
{
    throw UserException::CreateWithUser(QStringLiteral("TRecetteList.LoadFromJson"), QString::fromUtf8(InvalidMenu),
                                        Exception(QStringLiteral("Invalid menu document: ") + Reason));
}

// Member Name of a "recettes" element as a 32-bit integer, or the refusal.
int DocumentInteger(const TJsonValue &Element, const char *Name, std::size_t Position)
{
    int Value = 0;
    if (!JsonIntMember(Element, Name, Value))
        RefuseMenuDocument(QStringLiteral("element %1 of \"recettes\" has no integer \"%2\" within 32 bits")
                               .arg(Position)
                               .arg(QString::fromLatin1(Name)));
    return Value;
}

// What no saved menu holds: a meal other than midi and soir would give meal headers without
// a label, negative persons negative shopping quantities, a negative day a recipe before the
// menu's first day, and a day past the last the date type holds a date that reads back as
// another one. The reason for the log, or "" when the values are possible.
QString ImpossibleValue(int Jour, int Repas, int Pers, TDateTime StartDate)
{
    if (Repas != RepasMidi && Repas != RepasSoir)
        return QStringLiteral("\"repas\" %1").arg(Repas);
    if (Pers < 0)
        return QStringLiteral("\"pers\" %1").arg(Pers);
    if (Jour < 0 || DateOf(StartDate) + Jour > EncodeDate(9999, 12, 31))
        return QStringLiteral("\"jour\" %1").arg(Jour);
    return QString();
}

struct TDocumentLine
{
    int Jour;
    int Repas;
    int Pers;
    int Code;
};

// The recipe lines of a menu document, every one checked before any is added to a menu.
std::vector<TDocumentLine> ReadMenuDocument(const TJsonValue &Root, TDateTime StartDate)
{
    if (!Root.is_object())
        RefuseMenuDocument(QStringLiteral("not an object"));
    const auto Recettes = Root.find("recettes");
    if (Recettes == Root.end() || !Recettes->is_array())
        RefuseMenuDocument(QStringLiteral("no \"recettes\" array"));
    std::vector<TDocumentLine> Result;
    Result.reserve(Recettes->size());
    for (std::size_t I = 0; I < Recettes->size(); ++I) {
        const TJsonValue &Element = (*Recettes)[I];
        if (!Element.is_object())
            RefuseMenuDocument(QStringLiteral("element %1 of \"recettes\" is not an object").arg(I));
        const TDocumentLine Line{DocumentInteger(Element, "jour", I), DocumentInteger(Element, "repas", I),
                                 DocumentInteger(Element, "pers", I), DocumentInteger(Element, "code", I)};
        const QString Impossible = ImpossibleValue(Line.Jour, Line.Repas, Line.Pers, StartDate);
        if (!Impossible.isEmpty())
            RefuseMenuDocument(QStringLiteral("element %1 of \"recettes\" has %2").arg(I).arg(Impossible));
        Result.push_back(Line);
    }
    return Result;
}

} // namespace

void ResetRecFilter(TRecFilter &Filter)
{
    Filter = TRecFilter();
}

// ---------------------------------------------------------------------------------------
// The list and its order
// ---------------------------------------------------------------------------------------

void TRecetteList::Clear()
{
    FLines.clear();
}

int TRecetteList::AddInsert(std::unique_ptr<TLine> Line, int Index)
{
    return Wrap("TRecetteList.AddInsert", [&] {
        if (Index >= Count()) {
            FLines.push_back(std::move(Line));
            return Count() - 1;
        }
        CheckListIndex(Index, Count());
        FLines.insert(FLines.begin() + Index, std::move(Line));
        return Index;
    });
}

int TRecetteList::AddLineDate(int Repas, TDateTime Date)
{
    return Wrap("TRecetteList.AddLineDate", [&] {
        const TDateTime Day = DateOf(Date);
        int I = 0;
        for (; I < Count(); ++I) {
            const auto *Header = dynamic_cast<const TLineDate *>(FLines[std::size_t(I)].get());
            if (!Header)
                continue;
            const TDateTime HeaderDay = DateOf(Header->Date);
            if (HeaderDay == Day)
                return AddLineRepas(I, Repas, Date);
            if (HeaderDay > Day)
                break;
        }
        auto Header = std::make_unique<TLineDate>();
        Header->Date = Date;
        Header->Color = ColorRotation->NextColor();
        return AddLineRepas(AddInsert(std::move(Header), I), Repas, Date);
    });
}

int TRecetteList::AddLineRepas(int DayIndex, int Repas, TDateTime Date)
{
    return Wrap("TRecetteList.AddLineRepas", [&] {
        int I = DayIndex + 1;
        for (; I < Count(); ++I) {
            const TLine *Line = FLines[std::size_t(I)].get();
            if (const auto *Header = dynamic_cast<const TLineRepas *>(Line)) {
                if (Header->Repas == Repas)
                    return I;
                if (Header->Repas > Repas)
                    break;
            } else if (dynamic_cast<const TLineDate *>(Line)) {
                break;
            }
        }
        auto Header = std::make_unique<TLineRepas>();
        Header->Repas = static_cast<quint8>(Repas);
        Header->Date = Date;
        Header->Color = KVXHtmlToColor(QString::fromLatin1(RepasColor));
        return AddInsert(std::move(Header), I);
    });
}

int TRecetteList::GetPosition(int RepasIndex, int Type) const
{
    return Wrap("TRecetteList.GetPosition", [&] {
        int I = RepasIndex + 1;
        while (I < Count()) {
            const auto *Recette = dynamic_cast<const TLineRecette *>(FLines[std::size_t(I)].get());
            if (!Recette || Recette->Type_ > Type)
                break;
            ++I;
        }
        return I;
    });
}

void TRecetteList::AddRecette(int Repas, int Pers, TDateTime Date, std::unique_ptr<TQlTable> Table)
{
    Wrap("TRecetteList.AddRecette", [&] {
        const TDateTime Day = DateOf(Date);
        auto Line = std::make_unique<TLineRecette>();
        Line->LoadFromTable(*Table);
        Line->MenuDate = Day;
        Line->MenuRepas = static_cast<quint8>(Repas);
        Line->MenuPers = Pers;
        const int Type = Table->FieldAsInteger(QStringLiteral("type_"));
        const int RepasIndex = AddLineDate(Repas, Day);
        AddInsert(std::move(Line), GetPosition(RepasIndex, Type));
    });
}

bool TRecetteList::MoveAccepted1(int Source, int Target) const
{
    return Wrap("TRecetteList.MoveAccepted1", [&] {
        if (GetLineType(Source) != ltRecette)
            return false;
        const TDateTime Date = GetMenuDate(Target);
        const quint8 Repas = GetMenuRepas(Target, GetRecette(Source)->MenuRepas);
        return MoveAccepted2(Source, Target, Date, Repas);
    });
}

bool TRecetteList::MoveAccepted2(int Source, int /*Target*/, TDateTime Date, int Repas) const
{
    return Wrap("TRecetteList.MoveAccepted2", [&] {
        if (GetLineType(Source) != ltRecette)
            return false;
        const TLineRecette *Recette = GetRecette(Source);
        return !(Recette->MenuDate == Date && Recette->MenuRepas == Repas);
    });
}

void TRecetteList::MoveRecette(int Source, int Target)
{
    Wrap("TRecetteList.MoveRecette", [&] {
        if (GetLineType(Source) != ltRecette)
            return;
        TLineRecette *Recette = GetRecette(Source);
        const TDateTime Date = GetMenuDate(Target);
        const quint8 Repas = GetMenuRepas(Target, Recette->MenuRepas);
        if (!MoveAccepted2(Source, Target, Date, Repas))
            return;
        int I = GetPosition(AddLineDate(Repas, Date), Recette->Type_);
        const auto Current = std::find_if(FLines.begin(), FLines.end(),
                                          [Recette](const std::unique_ptr<TLine> &L) { return L.get() == Recette; });
        const int C = static_cast<int>(Current - FLines.begin());
        // The line leaves its old place first.
        if (I > C)
            --I;
        if (I < C)
            std::rotate(FLines.begin() + I, FLines.begin() + C, FLines.begin() + C + 1);
        else if (I > C)
            std::rotate(FLines.begin() + C, FLines.begin() + C + 1, FLines.begin() + I + 1);
        Recette->MenuDate = Date;
        Recette->MenuRepas = Repas;
    });
}

void TRecetteList::DeleteLine(int Index)
{
    Wrap("TRecetteList.DeleteLine", [&] {
        switch (GetLineType(Index)) {
        case ltDate:
            DeleteDate(GetDate(Index)->Date);
            break;
        case ltRepas:
            DeleteRepas(GetRepas(Index)->Repas, GetRepas(Index)->Date);
            break;
        default:
            DeleteRecette(Index);
            break;
        }
    });
}

void TRecetteList::DeleteRecette(int Index)
{
    CheckListIndex(Index, Count());
    FLines.erase(FLines.begin() + Index);
}

void TRecetteList::DeleteRepas(int Repas, TDateTime Date)
{
    Wrap("TRecetteList.DeleteRepas", [&] {
        const int J = GetRepasIndex(Repas, Date);
        CheckListIndex(J, Count());
        while (J + 1 < Count() && GetLineType(J + 1) == ltRecette)
            DeleteRecette(J + 1);
        DeleteRecette(J);
    });
}

void TRecetteList::DeleteDate(TDateTime Date)
{
    Wrap("TRecetteList.DeleteDate", [&] {
        const int J = GetDateIndex(Date);
        CheckListIndex(J, Count());
        int End = J + 1;
        while (End < Count() && GetLineType(End) != ltDate)
            ++End;
        FLines.erase(FLines.begin() + J, FLines.begin() + End);
    });
}

void TRecetteList::ShiftRecette(int DayIndex, int Days)
{
    Wrap("TRecetteList.ShiftRecette", [&] {
        CheckListIndex(DayIndex, Count());
        int First = DayIndex;
        int Last = Count();
        if (Days < 0) {
            First = 0;
            Last = DayIndex + 1;
            while (Last < Count() && GetLineType(Last) != ltDate)
                ++Last;
        }
        for (int I = First; I < Last; ++I) {
            TLine *Line = FLines[std::size_t(I)].get();
            if (auto *Header = dynamic_cast<TLineDate *>(Line))
                Header->Date = IncDay(Header->Date, Days);
            else if (auto *Meal = dynamic_cast<TLineRepas *>(Line))
                Meal->Date = IncDay(Meal->Date, Days);
            else if (auto *Recette = dynamic_cast<TLineRecette *>(Line))
                Recette->MenuDate = IncDay(Recette->MenuDate, Days);
        }
    });
}

int TRecetteList::GetDateIndex(TDateTime Date) const
{
    return Wrap("TRecetteList.GetDateIndex", [&] {
        for (int I = 0; I < Count(); ++I) {
            const auto *Header = dynamic_cast<const TLineDate *>(FLines[std::size_t(I)].get());
            if (Header && Header->Date == Date)
                return I;
        }
        return -1;
    });
}

int TRecetteList::GetRepasIndex(int Repas, TDateTime Date) const
{
    return Wrap("TRecetteList.GetRepasIndex", [&] {
        for (int I = 0; I < Count(); ++I) {
            const auto *Header = dynamic_cast<const TLineRepas *>(FLines[std::size_t(I)].get());
            if (Header && Header->Date == Date && Header->Repas == Repas)
                return I;
        }
        return -1;
    });
}

TDateTime TRecetteList::GetMenuDate(int Index) const
{
    return Wrap("TRecetteList.GetMenuDate", [&] {
        const TLine *Line = GetLine(Index);
        if (const auto *Header = dynamic_cast<const TLineDate *>(Line))
            return Header->Date;
        if (const auto *Meal = dynamic_cast<const TLineRepas *>(Line))
            return Meal->Date;
        return LineAs<const TLineRecette>(Line)->MenuDate;
    });
}

quint8 TRecetteList::GetMenuRepas(int Index, quint8 Default) const
{
    return Wrap("TRecetteList.GetMenuRepas", [&] {
        const TLine *Line = GetLine(Index);
        if (dynamic_cast<const TLineDate *>(Line))
            return Default;
        if (const auto *Meal = dynamic_cast<const TLineRepas *>(Line))
            return Meal->Repas;
        return LineAs<const TLineRecette>(Line)->MenuRepas;
    });
}

TDateTime TRecetteList::GetFirstDate() const
{
    for (const auto &Line : FLines) {
        if (const auto *Recette = dynamic_cast<const TLineRecette *>(Line.get()))
            return Recette->MenuDate;
    }
    return Now();
}

QString TRecetteList::GetCodeList() const
{
    return Wrap("TRecetteList.GetCodeList", [&] {
        // Runs before every draw: one buffer, no temporary text per code.
        QString Result;
        Result.reserve(Count() * 8);
        char Digits[16];
        for (const auto &Line : FLines) {
            const auto *Recette = dynamic_cast<const TLineRecette *>(Line.get());
            if (!Recette)
                continue;
            if (!Result.isEmpty())
                Result += QLatin1Char(',');
            const int Length = std::snprintf(Digits, sizeof Digits, "%d", Recette->Code);
            Result += QLatin1String(Digits, Length);
        }
        return Result;
    });
}

quint8 TRecetteList::GetLineType(int Index) const
{
    const TLine *Line = GetLine(Index);
    if (dynamic_cast<const TLineDate *>(Line))
        return ltDate;
    if (dynamic_cast<const TLineRepas *>(Line))
        return ltRepas;
    return ltRecette;
}

TLine *TRecetteList::GetLine(int Index) const
{
    CheckListIndex(Index, Count());
    return FLines[std::size_t(Index)].get();
}

TLineDate *TRecetteList::GetDate(int Index) const
{
    return LineAs<TLineDate>(GetLine(Index));
}

TLineRepas *TRecetteList::GetRepas(int Index) const
{
    return LineAs<TLineRepas>(GetLine(Index));
}

TLineRecette *TRecetteList::GetRecette(int Index) const
{
    return LineAs<TLineRecette>(GetLine(Index));
}

// ---------------------------------------------------------------------------------------
// Candidate recipes and random generation
// ---------------------------------------------------------------------------------------

QString TRecetteList::GetFilter(const TRecFilter &Filter) const
{
    return Wrap("TRecetteList.GetFilter", [&] {
        TQlDatabase &D = CurrentDatabase();
        TKVXStringList Conditions;
        if (!Filter.Name.isEmpty()) {
            D.AddParamText(":name1", LikeValue(Filter.Name));
            Conditions.Add(FilterCondition(QStringLiteral("r.name"), 4, QStringLiteral(":name")));
        }
        if (Filter.Time1 >= 0) {
            D.AddParamInt(":time1", Filter.Time1);
            D.AddParamInt(":time2", Filter.Time2);
            Conditions.Add(FilterCondition(QStringLiteral("(r.tprep+r.tcuisson+r.trepos)"), Filter.TimeOp,
                                           QStringLiteral(":time")));
        }
        if (Filter.Pers1 >= 0) {
            D.AddParamInt(":nbpers1", Filter.Pers1);
            D.AddParamInt(":nbpers2", Filter.Pers2);
            Conditions.Add(FilterCondition(QStringLiteral("r.nbpers"), Filter.PersOp, QStringLiteral(":nbpers")));
        }
        if (Filter.Saison > 0) {
            D.AddParamInt(":saison1", Filter.Saison);
            Conditions.Add(
                FilterCondition(QStringLiteral("r.saison"), 0, QStringLiteral(":saison"), QStringLiteral("0")));
        }
        if (Filter.LivCode >= 0) {
            D.AddParamInt(":livcode1", Filter.LivCode);
            Conditions.Add(FilterCondition(QStringLiteral("r.livcode"), 0, QStringLiteral(":livcode")));
        }
        if (!Filter.IngName.isEmpty()) {
            D.AddParamText(":ingname", LikeValue(Filter.IngName));
            Conditions.Add(QStringLiteral("(r.code in (select distinct(reccode) from ingredients ing, ingredient i "
                                          "where ingcode=i.code and name like :ingname))"));
        }
        if (Conditions.Count() == 0)
            return QString();
        return QStringLiteral("and ") + Conditions.Join(QStringLiteral(" and "));
    });
}

std::unique_ptr<TQlTable> TRecetteList::GetRecetteList1(int Repas, int Type, bool Saison, int HistoDays) const
{
    return Wrap("TRecetteList.GetRecetteList1", [&] {
        const QString Codes = GetCodeList();
        TQlDatabase &D = CurrentDatabase();
        D.AddParamInt(":repas", Repas);
        D.AddParamInt(":type", Type);
        QString SQL;
        SQL.reserve(420 + Codes.size());
        SQL += QLatin1String(SelectRecette);
        SQL += QLatin1String("(repas=0 or repas=:repas) and type_=:type and r.code not in (");
        SQL += Codes;
        SQL += QLatin1String(") ");
        if (Saison)
            SQL += QLatin1String("and (saison=0 or saison=") + QString::number(CurrentSaison()) + QLatin1String(") ");
        SQL += QLatin1String("and r.code not in (select reccode from historique h where (julianday('now') - "
                             "julianday(h.recdate)) <= ");
        SQL += QString::number(HistoDays);
        SQL += QLatin1String(")order by r.name");
        return D.GetTable(SQL);
    });
}

std::unique_ptr<TQlTable> TRecetteList::GetRecetteList2(int Repas, int Type, const TRecFilter &Filter) const
{
    return Wrap("TRecetteList.GetRecetteList2", [&] {
        TQlDatabase &D = CurrentDatabase();
        const QString Codes = GetCodeList();
        const QString Conditions = GetFilter(Filter);
        D.AddParamInt(":repas", Repas);
        D.AddParamInt(":type", Type);
        return D.GetTable(QLatin1String(SelectRecette) +
                          Format(QStringLiteral("(repas=0 or repas=:repas) and type_=:type and r.code not in (%s) "
                                                "%s order by r.name"),
                                 {Codes, Conditions}));
    });
}

std::unique_ptr<TQlTable> TRecetteList::GetRecetteList3(int IngCode) const
{
    return Wrap("TRecetteList.GetRecetteList3", [&] {
        TQlDatabase &D = CurrentDatabase();
        const QString Codes = GetCodeList();
        D.AddParamInt(":code", IngCode);
        return D.GetTable(
            Format(QStringLiteral("select r.code, r.name, ing.quantite, u.name as unite, i.name as ingredient, "
                                  "ing.note from recette r, ingredients ing, ingredient i left join unite u on "
                                  "ing.unitecode=u.code where ing.reccode=r.code and ing.ingcode=i.code and r.code "
                                  "in (%s) and i.code=:code order by r.name"),
                   {Codes}));
    });
}

std::unique_ptr<TQlTable> TRecetteList::GetUniqueRecette(const QString &Condition, bool ExcludeMenu) const
{
    return Wrap("TRecetteList.GetUniqueRecette", [&] {
        const QString Codes = ExcludeMenu ? GetCodeList() : QString();
        auto Table = CurrentDatabase().GetTable(QLatin1String(SelectRecette) + Condition +
                                                QLatin1String(" and r.code not in (") + Codes + QLatin1Char(')'));
        if (Table->RowCount() == 0)
            throw UserException::CreateUser(QString::fromUtf8(RecetteMissing));
        return Table;
    });
}

std::unique_ptr<TQlTable> TRecetteList::GetRecetteFromCode(int Code, bool ExcludeMenu) const
{
    return Wrap("TRecetteList.GetRecetteFromCode", [&] {
        CurrentDatabase().AddParamInt(":code", Code);
        return GetUniqueRecette(QStringLiteral("r.code=:code"), ExcludeMenu);
    });
}

std::unique_ptr<TQlTable> TRecetteList::GetRecetteFromName(const QString &Name, bool ExcludeMenu) const
{
    return Wrap("TRecetteList.GetRecetteFromName", [&] {
        CurrentDatabase().AddParamText(":name", Name);
        return GetUniqueRecette(QStringLiteral("r.name=:name"), ExcludeMenu);
    });
}

// The candidates of the draws, read from the database once and kept while a TDrawSession
// lives. The menu's own recipes are left out at each draw.
struct TRecetteList::TDrawCache
{
    // The candidates of one meal, dish type, season and history window, in the order of
    // GetRecetteList1's rows, and where each code stands among them.
    struct TCandidates
    {
        std::vector<qint64> Codes;
        // (code, position), sorted by code.
        std::vector<std::pair<qint64, std::size_t>> Positions;

        // The positions of the menu's recipes among the candidates, in increasing order.
        std::vector<std::size_t> Taken(const std::vector<std::unique_ptr<TLine>> &Lines) const
        {
            std::vector<std::size_t> Result;
            for (const auto &Line : Lines) {
                const auto *Recette = dynamic_cast<const TLineRecette *>(Line.get());
                if (!Recette)
                    continue;
                const auto It = std::lower_bound(Positions.begin(), Positions.end(),
                                                 std::make_pair(qint64(Recette->Code), std::size_t(0)));
                if (It != Positions.end() && It->first == Recette->Code)
                    Result.push_back(It->second);
            }
            std::sort(Result.begin(), Result.end());
            return Result;
        }
    };

    // Every recipe of one dish type and season, sorted by name, and the meals it suits.
    struct TSorted
    {
        std::vector<qint64> Codes;
        // Per code: bit 0 for midi (or the one meal asked for, when another), bit 1 for soir.
        std::vector<quint8> Meals;
    };

    // What was read comes from this connection, as it was after Changes rows written through
    // it and at DataVersion (which moves with every commit of another connection).
    const TQlDatabase *Db = nullptr;
    const sqlite3 *Handle = nullptr;
    qint64 Changes = -1;
    QByteArray DataVersion;
    // The statement that reads a drawn recipe, prepared once on Handle.
    TSQLiteStatement RowRead;
    // Every recipe's name: its bytes in NameBytes, by code.
    std::string NameBytes;
    std::unordered_map<qint64, std::pair<std::size_t, std::size_t>> Names;
    // Keyed by dish type, season (0 for all seasons) and meal (0 for midi and soir together).
    std::map<std::tuple<int, int, int>, TSorted> Sorted;
    // Keyed by history window: the codes it leaves out, sorted.
    std::map<int, std::vector<qint64>> History;
    // Keyed by meal, dish type, season and history window.
    std::map<std::tuple<int, int, int, int>, TCandidates> Lists;
    // The season of the program's day, worked out once a day.
    TDateTime SeasonDay = -1;
    int Season = 0;

    int CurrentSeason()
    {
        const TDateTime Day = Today();
        if (Day != SeasonDay) {
            Season = CurrentSaison();
            SeasonDay = Day;
        }
        return Season;
    }

    // Whether what was read still stands; else it is forgotten.
    bool Valid(TQlDatabase &D)
    {
        const qint64 NowChanges = D.TotalChanges();
        QByteArray NowVersion = D.TSQLiteDatabase::GetTableString(QStringLiteral("PRAGMA data_version"));
        if (&D == Db && D.Handle() == Handle && NowChanges == Changes && NowVersion == DataVersion)
            return true;
        // While the statement lives, the engine keeps its connection's handle from being
        // given to another connection: the same handle is the same connection.
        if (D.Handle() != Handle)
            RowRead.reset();
        Handle = D.Handle();
        NameBytes.clear();
        Names.clear();
        Sorted.clear();
        History.clear();
        Lists.clear();
        Db = &D;
        Changes = NowChanges;
        DataVersion = std::move(NowVersion);
        return false;
    }

    // From the name index, which holds every name in a few pages, rather than from the
    // recipes' rows.
    void ReadNames(TQlDatabase &D)
    {
        const auto Table = D.GetTable(QStringLiteral("select code, name from recette"));
        Names.reserve(Table->RowCount());
        for (; !Table->Eof(); Table->Next()) {
            const QByteArray Name = Table->FieldAsString(1);
            Names.emplace(Table->TSQLiteTable::FieldAsInteger(0),
                          std::make_pair(NameBytes.size(), std::size_t(Name.size())));
            NameBytes.append(Name.constData(), std::size_t(Name.size()));
        }
    }

    // The rows of GetRecetteList1's statement without its two "not in" conditions, for
    // midi and soir at once: the meal conditions are read as two columns. The engine meets
    // the rows in the order of the same index search (by meal, season, then code) and its
    // sort keeps that order between equal names, so the same stable sort on the same keys
    // gives the very same order, whatever rows are left out afterwards.
    const TSorted &SortedCodes(TQlDatabase &D, int Type, int Saison, int Repas)
    {
        const int Meal = Repas == RepasMidi || Repas == RepasSoir ? 0 : Repas;
        const auto Key = std::make_tuple(Type, Saison, Meal);
        const auto Found = Sorted.find(Key);
        if (Found != Sorted.end())
            return Found->second;
        if (Names.empty())
            ReadNames(D);
        D.AddParamInt(":repas1", Meal == 0 ? RepasMidi : Meal);
        D.AddParamInt(":repas2", Meal == 0 ? RepasSoir : Meal);
        D.AddParamInt(":type", Type);
        QString SQL = QStringLiteral("select r.code, (repas=0 or repas=:repas1), (repas=0 or repas=:repas2) from "
                                     "recette r where type_=:type ");
        if (Saison > 0)
            SQL += QLatin1String("and (saison=0 or saison=") + QString::number(Saison) + QLatin1String(") ");
        const auto Table = D.GetTable(SQL);
        struct TEntry
        {
            qint64 Code;
            quint8 Meals;
            std::size_t Offset;
            std::size_t Length;
        };
        std::vector<TEntry> Entries;
        Entries.reserve(Table->RowCount());
        // Every name folded once, rather than at each of the sort's comparisons.
        std::string Keys;
        for (; !Table->Eof(); Table->Next()) {
            const qint64 Code = Table->TSQLiteTable::FieldAsInteger(0);
            const auto Name = Names.find(Code);
            const std::size_t Offset = Keys.size();
            if (Name != Names.end())
                AppendSystem2Key(NameBytes.data() + Name->second.first, qsizetype(Name->second.second), Keys);
            const auto Meals = quint8((Table->TSQLiteTable::FieldAsInteger(1) ? 1 : 0) |
                                      (Table->TSQLiteTable::FieldAsInteger(2) ? 2 : 0));
            Entries.push_back({Code, Meals, Offset, Keys.size() - Offset});
        }
        std::stable_sort(Entries.begin(), Entries.end(), [&Keys](const TEntry &A, const TEntry &B) {
            return CompareSystem2Keys(Keys.data() + A.Offset, A.Length, Keys.data() + B.Offset, B.Length) < 0;
        });
        TSorted &Result = Sorted[Key];
        Result.Codes.reserve(Entries.size());
        Result.Meals.reserve(Entries.size());
        for (const TEntry &Entry : Entries) {
            Result.Codes.push_back(Entry.Code);
            Result.Meals.push_back(Entry.Meals);
        }
        return Result;
    }

    // The recipes recorded in the history at most Days days before the engine's current
    // instant, or for a later day: the subquery of GetRecetteList1.
    const std::vector<qint64> &Excluded(TQlDatabase &D, int Days)
    {
        const auto Found = History.find(Days);
        if (Found != History.end())
            return Found->second;
        const auto Table = D.GetTable(QStringLiteral("select reccode from historique h where (julianday('now') - "
                                                     "julianday(h.recdate)) <= ") +
                                      QString::number(Days));
        std::vector<qint64> &Codes = History[Days];
        Codes.reserve(Table->RowCount());
        for (; !Table->Eof(); Table->Next())
            Codes.push_back(Table->TSQLiteTable::FieldAsInteger(0));
        std::sort(Codes.begin(), Codes.end());
        return Codes;
    }

    // The drawn recipe's row, as the rows of GetRecetteList1.
    std::unique_ptr<TQlTable> Row(TQlDatabase &D, qint64 Code)
    {
        const QString SQL = QLatin1String(SelectRecette) + QLatin1String("r.code=:code");
        if (!RowRead)
            RowRead = D.PrepareStatement(SQL);
        D.AddParamInt(":code", Code);
        return std::make_unique<TQlTable>(D, RowRead, SQL);
    }

    const TCandidates &Candidates(TQlDatabase &D, int Repas, int Type, bool Saison, int Days)
    {
        const int SeasonValue = Saison ? CurrentSeason() : 0;
        const auto Key = std::make_tuple(Repas, Type, SeasonValue, Days);
        // What is read in several statements must come from one state of the database: read
        // again when another program committed in between.
        while (!Valid(D) || Lists.find(Key) == Lists.end()) {
            const TSorted &All = SortedCodes(D, Type, SeasonValue, Repas);
            const std::vector<qint64> &Left = Excluded(D, Days);
            TCandidates List;
            const quint8 Meal = Repas == RepasSoir ? 2 : 1;
            List.Codes.reserve(All.Codes.size());
            for (std::size_t I = 0; I < All.Codes.size(); ++I)
                if ((All.Meals[I] & Meal) && !std::binary_search(Left.begin(), Left.end(), All.Codes[I]))
                    List.Codes.push_back(All.Codes[I]);
            List.Positions.reserve(List.Codes.size());
            for (std::size_t I = 0; I < List.Codes.size(); ++I)
                List.Positions.emplace_back(List.Codes[I], I);
            std::sort(List.Positions.begin(), List.Positions.end());
            Lists[Key] = std::move(List);
        }
        return Lists.find(Key)->second;
    }
};

TRecetteList::TRecetteList() = default;

TRecetteList::~TRecetteList() = default;

TRecetteList::TDrawSession::TDrawSession(const TRecetteList &Menu) : FMenu(Menu)
{
    if (FMenu.FDrawSessions == 0)
        FMenu.FDrawCache = std::make_unique<TDrawCache>();
    ++FMenu.FDrawSessions;
}

TRecetteList::TDrawSession::~TDrawSession()
{
    if (--FMenu.FDrawSessions == 0)
        FMenu.FDrawCache.reset();
}

std::vector<qint64> TRecetteList::GetRandomCandidates(int Repas, int Type, bool Saison, int HistoDays) const
{
    return Wrap("TRecetteList.GetRandomCandidates", [&] {
        TDrawCache Single;
        const TDrawCache::TCandidates &Candidates =
            (FDrawCache ? *FDrawCache : Single).Candidates(CurrentDatabase(), Repas, Type, Saison, HistoDays);
        const std::vector<std::size_t> Taken = Candidates.Taken(FLines);
        std::vector<qint64> Result;
        Result.reserve(Candidates.Codes.size() - Taken.size());
        auto Next = Taken.begin();
        for (std::size_t I = 0; I < Candidates.Codes.size(); ++I) {
            if (Next != Taken.end() && *Next == I)
                ++Next;
            else
                Result.push_back(Candidates.Codes[I]);
        }
        return Result;
    });
}

std::unique_ptr<TQlTable> TRecetteList::GetRandomRecette(int Repas, int Type, bool Saison) const
{
    return Wrap("TRecetteList.GetRandomRecette", [&] {
        const int HistoDays = Config->GetHistoEnabled() ? Config->GetHistoDays() : 0;
        TDrawCache Single;
        TDrawCache &Cache = FDrawCache ? *FDrawCache : Single;
        TQlDatabase &D = CurrentDatabase();
        const TDrawCache::TCandidates &Candidates = Cache.Candidates(D, Repas, Type, Saison, HistoDays);
        const std::vector<std::size_t> Taken = Candidates.Taken(FLines);
        const std::size_t Count = Candidates.Codes.size() - Taken.size();
        if (Count == 0)
            throw UserException::CreateUser(QString::fromUtf8(NoRecetteLeft));
        // Row r of the candidates left once the menu's recipes are left out, read alone.
        std::size_t Index = std::size_t(Random(static_cast<int>(Count)));
        for (const std::size_t Position : Taken)
            if (Position <= Index)
                ++Index;
        return Cache.Row(D, Candidates.Codes[Index]);
    });
}

void TRecetteList::AddRandomRecette(int Repas, int Pers, TDateTime Date, int Type, bool Saison)
{
    AddRecette(Repas, Pers, Date, GetRandomRecette(Repas, Type, Saison));
}

void TRecetteList::AddRecetteFromCode(int Repas, int Pers, TDateTime Date, int Code)
{
    AddRecette(Repas, Pers, Date, GetRecetteFromCode(Code, true));
}

void TRecetteList::AddRecetteFromName(int Repas, int Pers, TDateTime Date, const QString &Name)
{
    AddRecette(Repas, Pers, Date, GetRecetteFromName(Name, true));
}

void TRecetteList::ReplaceRecette(int Index, int Code, bool Saison)
{
    Wrap("TRecetteList.ReplaceRecette", [&] {
        TLineRecette *Recette = GetRecette(Index);
        auto Table =
            Code < 0 ? GetRandomRecette(Recette->MenuRepas, Recette->Type_, Saison) : GetRecetteFromCode(Code, true);
        Recette->LoadFromTable(*Table);
    });
}

void TRecetteList::UpdateInfos(int Index)
{
    Wrap("TRecetteList.UpdateInfos", [&] {
        const quint8 Kind = GetLineType(Index);
        if (Kind != ltRecette)
            throw UserException::CreateUserFmt(QString::fromUtf8(WrongLineType), {LineTypeToStr(Kind)});
        TLineRecette *Recette = GetRecette(Index);
        Recette->LoadFromTable(*GetRecetteFromCode(Recette->Code, false));
    });
}

void TRecetteList::ModifyRecette(int Index, int Repas, TDateTime Date, int Pers)
{
    TLineRecette *Recette = GetRecette(Index);
    if (Recette->MenuRepas == Repas && SameDay(Recette->MenuDate, Date)) {
        Recette->MenuPers = Pers;
        return;
    }
    const int Code = Recette->Code;
    DeleteLine(Index);
    AddRecetteFromCode(Repas, Pers, Date, Code);
}

// ---------------------------------------------------------------------------------------
// Menu document, menu files, server menus and history
// ---------------------------------------------------------------------------------------

QString TRecetteList::SaveToJson(const QString &Name) const
{
    return Wrap("TRecetteList.SaveToJson", [&] {
        TKVXJson Document;
        TJsonValue &Root = Document.GetRoot();
        if (!Name.isEmpty())
            Root["name"] = JsonStr(Name);
        TJsonValue &Recettes = Root["recettes"] = TJsonValue::array();
        bool HasFirst = false;
        TDateTime First = 0;
        for (const auto &Line : FLines) {
            const auto *Recette = dynamic_cast<const TLineRecette *>(Line.get());
            if (!Recette)
                continue;
            int Jour = 0;
            if (!HasFirst) {
                First = Recette->MenuDate;
                HasFirst = true;
            } else {
                Jour = DaysBetween(Recette->MenuDate, First);
            }
            TJsonValue Element = TJsonValue::object();
            Element["jour"] = Jour;
            Element["repas"] = int(Recette->MenuRepas);
            Element["pers"] = Recette->MenuPers;
            Element["code"] = Recette->Code;
            Element["name"] = JsonStr(Recette->Name);
            Recettes.push_back(std::move(Element));
        }
        return Document.GetText(true);
    });
}

bool TRecetteList::IsModified() const
{
    return SaveToJson(QString()) != SavedJson;
}

void TRecetteList::AddHistorique()
{
    const TDateTime Day = Today();
    // One transaction for the whole menu: one commit (a journal write and its disk syncs) per
    // save rather than one per recipe, and never half a history. A history that cannot be
    // written never stops a save.
    try {
        TQlDatabase &D = CurrentDatabase();
        TSQLiteTransaction Transaction(D);
        for (const auto &Line : FLines) {
            const auto *Recette = dynamic_cast<const TLineRecette *>(Line.get());
            if (!Recette || Recette->MenuDate < Day)
                continue;
            D.AddParamInt(":code", Recette->Code);
            D.AddParamText(":date", KVXDateTimeToString(dtkDate, false, Recette->MenuDate));
            try {
                D.ExecSQL(QStringLiteral("INSERT INTO historique (reccode, recdate) VALUES (:code, :date)"));
            } catch (const ESQLiteException &) {
                // A row that the table refuses (its recipe deleted meanwhile) is skipped; any
                // other failure (a full disk) drops the whole history.
                if (!D.ConstraintFailed())
                    throw;
            }
        }
        Transaction.Commit();
    } catch (const std::exception &) {
        if (Database)
            Database->ParamsClear();
    }
}

void TRecetteList::SaveToFile(const QString &FileName)
{
    const auto CannotWrite = [&FileName](const std::exception &E) {
        return UserException::CreateWithUser(
            QStringLiteral("TRecetteList.SaveToFile"),
            AddFileFailureReason(
                Format(QStringLiteral("Impossible d'enregistrer le menu dans le fichier \"%s\"."), {FileName}), E),
            E);
    };
    // Refused before the history is written: nothing of a save happens.
    try {
        Config->CheckUserFile(FileName);
    } catch (const EFileWriteError &E) {
        throw CannotWrite(E);
    } catch (const std::exception &E) {
        throw UserException::Create(QStringLiteral("TRecetteList.SaveToFile"), E);
    }
    // The menu counts as saved only once the file holds it: a failed write leaves it
    // modified, or the next close would drop it without asking.
    const QString Text = SaveToJson(QString());
    AddHistorique();
    try {
        // The write checks again the very path it lands on.
        KVXWriteText(FileName, Text, true, Config->UserFileCheck(FileName));
    } catch (const std::exception &E) {
        throw CannotWrite(E);
    }
    SavedJson = Text;
}

int TRecetteList::AddMenu(const QString &Name)
{
    const QString Text = SaveToJson(QString());
    AddHistorique();
    const int Code = SlimApi->AddMenu(SaveToJson(Name));
    SavedJson = Text;
    return Code;
}

void TRecetteList::UpdateMenu(int Code)
{
    const QString Text = SaveToJson(QString());
    AddHistorique();
    SlimApi->UpdateMenu(Code, Text);
    SavedJson = Text;
}

void TRecetteList::LoadFromJson(const QString &Text, TDateTime StartDate)
{
    TKVXJson Document;
    Document.LoadFromString(Text);
    for (const TDocumentLine &Line : ReadMenuDocument(Document.GetRoot(), StartDate))
        AddRecetteFromCode(Line.Repas, Line.Pers, IncDay(StartDate, Line.Jour), Line.Code);
    SavedJson = SaveToJson(QString());
}

void TRecetteList::CheckJsonObject(const TJsonValue &Menu, TDateTime StartDate)
{
    ReadMenuDocument(Menu, StartDate);
}

void TRecetteList::LoadFromList(const TStringList &Lines, TDateTime StartDate)
{
    Wrap("TRecetteList.LoadFromList", [&] {
        Clear();
        TStringList Items;
        for (const QString &Line : Lines) {
            Items.SetCommaText(Line);
            const int Jour = StrToInt(Items.Values(QStringLiteral("jour")));
            const int Repas = StrToInt(Items.Values(QStringLiteral("repas")));
            const int Pers = StrToInt(Items.Values(QStringLiteral("pers")));
            const QString Name = Items.Values(QStringLiteral("nom"));
            // No recipe has a longer name; a name of megabytes is refused without being
            // looked up, or copied into the user's message.
            if (Name.size() > RecetteNameMaxLength)
                throw UserException::CreateWithUser(
                    QStringLiteral("TRecetteList.LoadFromList"), QString::fromUtf8(InvalidMenu),
                    Exception(QStringLiteral("Invalid menu line: a name of %1 characters").arg(Name.size())));
            try {
                const QString Impossible = ImpossibleValue(Jour, Repas, Pers, StartDate);
                if (!Impossible.isEmpty())
                    throw UserException::CreateWithUser(QStringLiteral("TRecetteList.LoadFromList"),
                                                        QString::fromUtf8(InvalidMenu),
                                                        Exception(QStringLiteral("Invalid menu line: ") + Impossible));
                AddRecetteFromName(Repas, Pers, IncDay(StartDate, Jour), Name);
            } catch (const std::exception &E) {
                throw UserException::CreateUserFmt(QString::fromUtf8(CannotLoadRecette), {Name}, &E);
            }
        }
    });
}

void TRecetteList::LoadFromFile(const QString &FileName, TDateTime StartDate)
{
    try {
        Wrap("TRecetteList.LoadFromFile", [&] {
            TStringList Lines;
            Lines.SetText(KVXDecodeText(KVXReadRegularFile(FileName, MenuFileMaxSize)));
            if (Lines.Strings(0) == QLatin1String("{"))
                LoadFromJson(Lines.Text(), StartDate);
            else
                LoadFromList(Lines, StartDate);
        });
    } catch (UserException &E) {
        // The user learns which file failed, and why when the loader knows it; a file that
        // cannot be read (empty, binary, not JSON, a line without its numbers) is a menu
        // without a valid format.
        const QString Reason = E.UserMessage.isEmpty() ? QString::fromUtf8(InvalidMenu) : E.UserMessage;
        E.UserMessage = QLatin1Char('"') + FileName + QStringLiteral("\"\r\n") + Reason;
        throw;
    }
}

void TRecetteList::LoadFromJsonObject(const TJsonValue &Menu, TDateTime StartDate)
{
    LoadFromJson(QString::fromStdString(KVXJsonToText(Menu, false)), StartDate);
}

// ---------------------------------------------------------------------------------------
// Shopping list
// ---------------------------------------------------------------------------------------

void TRecetteList::UpdateMenuPers()
{
    Wrap("TRecetteList.UpdateMenuPers", [&] {
        TQlDatabase &D = CurrentDatabase();
        // One transaction for the whole menu: one commit rather than one per recipe, and a
        // failure writes none of the persons.
        TSQLiteTransaction Transaction(D);
        // Only a recipe whose persons change is written: an unchanged row would still fire
        // the change-date trigger (and be uploaded again).
        TSQLiteQueryGuard Statement(
            D, QStringLiteral("UPDATE recette SET menupers=?1 WHERE code=?2 AND menupers IS NOT ?1"));
        for (const auto &Line : FLines) {
            const auto *Recette = dynamic_cast<const TLineRecette *>(Line.get());
            if (!Recette)
                continue;
            D.BindSQL(Statement.Query(), 1, Recette->MenuPers);
            D.BindSQL(Statement.Query(), 2, Recette->Code);
            D.ExecQuery(Statement.Query());
        }
        Statement.Release();
        Transaction.Commit();
    });
}

void TRecetteList::GetIngredientList(TIngredientList &List)
{
    Wrap("TRecetteList.GetIngredientList", [&] {
        UpdateMenuPers();
        ColorRotation->Reset();
        const QString Codes = GetCodeList();
        TQlDatabase &D = CurrentDatabase();
        D.AddParamText(":norayon_name", QString::fromLatin1(RayNameDivers));
        D.AddParamInt(":norayon_code", RayCodeDivers);
        const auto Table = D.GetTable(Format(
            QStringLiteral(
                "select ifnull(y.code,:norayon_code) as raycode, ifnull(y.name,:norayon_name) as rayon, "
                "total((quantite/r.nbpers)*r.menupers) as qty, u.code as unitcode, u.name as unitname, i.code as "
                "ingcode, i.name as ingname, ri.note as note from recette r, ingredients ri, ingredient i left join "
                "unite u on ri.unitecode=u.code left join rayon y on i.raycode=y.code where r.code in (%s) and "
                "ri.reccode=r.code and ri.ingcode=i.code group by ri.ingcode, ri.unitecode, note order by raycode, "
                "i.code"),
            {Codes}));
        QString PreviousShelf;
        int CurrentCode = RayCodeDivers;
        for (; !Table->Eof(); Table->Next()) {
            const QString Shelf = Table->FieldAsString(QStringLiteral("rayon"));
            if (!SameText(Shelf, PreviousShelf)) {
                auto Rayon = std::make_unique<TLineRayon>();
                Rayon->RayCode = Table->FieldAsInteger(QStringLiteral("raycode"));
                Rayon->SetName(Shelf);
                Rayon->Color = Rayon->RayCode == RayCodeDivers ? KVXHtmlToColor(QString::fromLatin1(DiversColor))
                                                               : ColorRotation->NextColor();
                PreviousShelf = Shelf;
                CurrentCode = Rayon->RayCode;
                List.Add(std::move(Rayon));
            }
            auto Ingredient = std::make_unique<TLineIngredient>();
            Ingredient->UnitCode = Table->FieldAsInteger(QStringLiteral("unitcode"));
            Ingredient->UnitName = Table->FieldAsString(QStringLiteral("unitname"));
            Ingredient->IngCode = Table->FieldAsInteger(QStringLiteral("ingcode"));
            Ingredient->Name = Table->FieldAsString(QStringLiteral("ingname"));
            Ingredient->Note = Table->FieldAsString(QStringLiteral("note"));
            Ingredient->RayCode = CurrentCode;
            const double Quantity = Table->FieldAsDouble(QStringLiteral("qty"));
            Ingredient->SetQuantity(Quantity);
            Ingredient->InitialQuantity = Quantity;
            Ingredient->FromMenu = true;
            List.Add(std::move(Ingredient));
        }
    });
}
