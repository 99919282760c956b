// The shopping list: shelf blocks in increasing shelf code, each a shelf header followed by
// the articles bought on that shelf, with "Divers" (everything without a shelf) last. The
// list may be bound to a view whose rows it keeps in step with its lines.
#pragma once

#include "UnitLines.h"

#include <memory>
#include <vector>

// The rows that mirror a shopping list: the shopping-list window implements it over its
// check list box. Row i stands for line i; every row is drawn from its line, so a row
// holds no text of its own beyond a placeholder.
class TIngredientListView
{
public:
    virtual ~TIngredientListView() = default;

    // A new unchecked row at the end / at Index.
    virtual void RowAdded() = 0;
    virtual void RowInserted(int Index) = 0;
    virtual void RowDeleted(int Index) = 0;
    // Every row removed.
    virtual void Cleared() = 0;
    virtual bool RowChecked(int Index) const = 0;
    virtual void SetRowChecked(int Index, bool Checked) = 0;
};

class TIngredientList
{
public:
    // Kinds of GetLineType.
    static constexpr quint8 ltRayon = 3;
    static constexpr quint8 ltIngredient = 4;
    static constexpr quint8 ltDivers = 5;

    // An empty list bound to AView, or to none.
    explicit TIngredientList(TIngredientListView *AView = nullptr);
    // Frees the lines without telling the view: the window that owns both may already have
    // destroyed its rows.
    virtual ~TIngredientList() = default;

    TIngredientList(const TIngredientList &) = delete;
    TIngredientList &operator=(const TIngredientList &) = delete;

    int Count() const { return static_cast<int>(FLines.size()); }

    // Appends the line; returns its index.
    int Add(std::unique_ptr<TLine> Line);
    // Inserts the line at Index (0..Count).
    void Insert(int Index, std::unique_ptr<TLine> Line);
    // Add when Index is at or past the end, else Insert; returns the line's index.
    int AddInsert(std::unique_ptr<TLine> Line, int Index);
    // Removes and frees line Index.
    void Delete(int Index);
    // Removes and frees every line.
    void Clear();

    // ltRayon, ltDivers, or ltIngredient for any other line.
    quint8 GetLineType(int Index) const;

    // The first ingredient line with that ingredient, unit and note (the note compared
    // without regard to the case of A to Z). A zero Quantity finds only a line whose
    // quantity is zero too; any other Quantity accepts any quantity. -1 when none.
    int IndexOf1(int IngCode, int UnitCode, double Quantity, const QString &Note) const;
    // The first line whose Text equals Text without regard to the case of A to Z; -1 when none.
    int IndexOf2(const QString &Text) const;
    // IndexOf1 with the fields of an ingredient line, IndexOf2 with the text of any other.
    int IndexOf(const TLine &Line) const;
    // The first shelf header after Index, or Count: where a line appended to Index's block goes.
    int GetIngIndex(int Index) const;
    // The header of shelf Code, created in shelf-code order when missing (its name read from
    // table rayon, "Divers" for RayCodeDivers).
    int GetRayonIndex(int Code);
    // Lines of shelf Code's block not yet crossed off (the header is created when missing).
    int GetIngCount(int Code);

    // Line Index as its class; asking for another class than the line's raises an error.
    TLine *GetLine(int Index) const;
    TLineRayon *GetRayon(int Index) const;
    TLineArticle *GetArticle(int Index) const;
    TLineIngredient *GetIngredient(int Index) const;
    TLineDivers *GetDivers(int Index) const;

    // Flags of article lines; SetChecked also checks view row Index when it differs.
    bool GetChecked(int Index) const;
    void SetChecked(int Index, bool Value);
    bool GetModified(int Index) const;
    void SetModified(int Index, bool Value);
    bool GetWarn(int Index) const;
    void SetWarn(int Index, bool Value);
    bool GetFromMenu(int Index) const;
    // ShowQuantity of ingredient lines; the setter rebuilds Text.
    bool GetShowQuantity(int Index) const;
    void SetShowQuantity(int Index, bool Value);

    // The bound view, or none; set once by the constructor.
    TIngredientListView *const View;

private:
    std::unique_ptr<TLineRayon> NewRayon(int Code) const;

    std::vector<std::unique_ptr<TLine>> FLines;
};
