// Plain routines of the program core: the log line, the French labels of the program's
// codes, ingredient quantities, the season of the day, accent folding, type-ahead search
// and opening a document with its associated program.
#pragma once

#include "SysUtils.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

// Appends one line to Config->LogFileName: "yyyy-mm-dd hh:nn:ss | [Context] Msg" (the
// bracketed context only when Context is not empty), ended by CR LF. When Lines is given,
// the same line is also added to it. A failure raises UserException "[WriteLog] ...", and
// Lines is then left unchanged.
void WriteLog(const QString &Msg, const QString &Context, QStringList *Lines = nullptr);
// WriteLog for a path that must reach the user whatever the log does (a full disk, say): a
// line the log cannot take is dropped.
void WriteLogQuietly(const QString &Msg, const QString &Context) noexcept;

// A file's size as the user reads it: "900 octets", "4,8 Mo", "4,0 Go".
QString SizeToStr(qint64 Bytes);

// Text followed, on a new line, by the reason in French why a file could not be written or
// read (FileFailureReason); Text alone when E says none.
QString AddFileFailureReason(const QString &Text, const std::exception &E);
// Why a file could not be written or read, as the user can act on it: "Le disque est
// plein.", 'Le dossier "<folder>" est protégé en écriture.', 'Le dossier "<folder>"
// n'existe pas.', 'Le fichier "<file>" est en lecture seule.', '"<file>" est un dossier.',
// ... "" when E is no file failure.
QString FileFailureReason(const std::exception &E);

// Meal label of a meal code: 0 "midi et soir", 1 "midi", 2 "soir"; capitalised when asked,
// then cut to its first character when asked. Another code gives "".
QString RepasToStr(int Code, bool Capitalize, bool FirstLetterOnly);
// Dish-type label: 0 "entrée", 1 "plat", 2 "dessert", 3 "boisson"; another code gives "".
QString TypeToStr(int Code, bool Capitalize);
// Season label: 0 "toute saison", 1 "printemps-été", 2 "automne-hiver"; another code "".
QString SaisonToStr(int Code, bool Capitalize);
// The date as "samedi 5 décembre" (day name, day of the month, month name, no year),
// capitalised when asked.
QString DateToLongStr(bool Capitalize, TDateTime Date);
// Line-kind label: "Date", "Repas", "Recette", "Rayon", "Ingrédient", "Article" (0..5).
QString LineTypeToStr(int Code);
// SQL operator of a filter operator: 0 "=", 1 ">=", 2 "<=", 3 "", 4 "like".
QString OperatorToStr(int Code);

// The one-line text of an ingredient line: the quantity ("1/2 ", "1/4 ", "3/4 " or the
// rounded number and a blank) and the unit name with a blank, both only when ShowQuantity
// and the rounded quantity is above 0; then Name; then " (Note)" when Note is not empty.
// "2,5 kg farine", "1/2 citron", "sel (fin)".
QString FormatIngredient(const QString &UnitName, const QString &Name, const QString &Note, bool ShowQuantity,
                         double Quantity);
// X rounded for display: two significant digits from 10 upwards, one decimal below 10,
// halves to the even neighbour (145 gives 140, 155 gives 160, 3.33 gives 3.3).
double FloatRound(double X);
// The season code of today: 1 (spring-summer) from 21 March to 22 September, else 2.
int CurrentSaison();

// One character folded to US-ASCII: ASCII unchanged, an accented Latin letter (Latin-1 and
// Latin Extended-A) to its base letter, a ligature to its first letter (œ gives o, Æ gives
// A), anything else "?". Allocates nothing, for use inside comparisons.
char CharToAscii(char32_t C);
// S folded character by character with CharToAscii; the result has the length of S.
QString StrToAscii(const QString &S);
// "%" + S + "%": a LIKE pattern that finds S anywhere.
QString LikeValue(const QString &S);

// The millisecond tick count of the system (wraps after about 49 days). Tests drive it with
// SetTickCountFunction; an empty function restores the system's count.
quint32 GetTickCount();
void SetTickCountFunction(std::function<quint32()> Fn);

// What a key adds to a type-ahead search, folded as the items are when compared (accents
// removed, lower case): the digits, the letters of either case with or without accents, the
// blank, the apostrophe and the hyphen, which item names hold ("pommes de terre",
// "huile d'olive", "céleri-rave"). A null character for any other key. Every type-ahead of
// the program takes its keys through this one rule.
QChar TypeAheadChar(QChar Key);

// One key press of a type-ahead search in a list sorted without regard to accents and
// case. Only the keys of TypeAheadChar are taken (else -1 and nothing changes). A pause of
// 500 ms or more since LastTick starts a new search. Returns the index of the first item
// whose folded prefix is not below the typed text, else the last index (-1 for an empty
// list). The caller keeps LastTick and Typed between key presses.
int AutoComplete(QChar Key, const QStringList &Items, quint32 &LastTick, QString &Typed);

// How OpenDocument hands a file name or an address to the desktop, and whether the desktop
// took it. The default opens it with QDesktopServices; the ui layer may install its own and
// tests replace it so that no test starts a browser. An empty function restores the default.
using TOpenDocumentFunction = std::function<bool(const QString &FileName)>;
void SetOpenDocumentFunction(TOpenDocumentFunction Fn);
// Opens a document, a web address or a mail address with its associated program. False when
// no program could be started for it (none installed, no desktop).
bool OpenDocument(const QString &FileName);
