// Fixed, locale-independent texts of dates, times and decimal numbers.
#pragma once

#include "SysUtils.h"

#include <QString>

// The forms of KVXDateTimeToString.
enum : quint8
{
    dtkDate = 0,          // "yyyy-mm-dd"
    dtkDateTime = 1,      // "yyyy-mm-dd hh:nn:ss"
    dtkTime = 2,          // "hh:nn:ss"
    dtkShortTime = 3,     // "hh:nn"
    dtkDateShortTime = 4, // "yyyy-mm-dd hh:nn"
    dtkFileStamp = 5      // "yyyymmdd-hhnnss"
};

// Value in the form Kind (another Kind gives ""); "" when EmptyIfZero and Value is 0.
QString KVXDateTimeToString(quint8 Kind, bool EmptyIfZero, TDateTime Value);
// Reads "hh:nn", "hh:nn:ss", "yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss", the form chosen by the
// length of Text. A failure gives Default, or with RaiseOnError raises Exception
// "KVXStringToDateTime : " followed by the reason.
TDateTime KVXStringToDateTime(const QString &Text, bool RaiseOnError, TDateTime Default);
// Reads a decimal number written with "," or "." as separator; Default when it is none.
double KVXStringToFloat(const QString &Text, double Default);
// The general form (up to 15 significant digits) with "." as separator: 2.5, 3, 1E20; 17
// digits for the few largest doubles, whose 15-digit form would not read back.
QString KVXFloatToString(double Value);
