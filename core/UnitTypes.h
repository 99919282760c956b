// The program's exception with its user text, the one wrapping rule every routine follows,
// and the colour rotation of day and shelf rows.
#pragma once

#include "KVXGraphics.h"
#include "SysUtils.h"

#include <QString>
#include <QVariantList>

#include <exception>
#include <utility>

// The program's exception. Message names every routine the failure passed through
// ("[Outer] [Inner] first message"); UserMessage is the French text shown to the user,
// lines separated by CR LF, empty when the failure has none. Built only through the
// factory functions below, one per way of building it.
class UserException : public Exception
{
public:
    // Message "[Context] E's message"; UserMessage is E's user text when E is a
    // UserException, a French text naming the file and the reason when E is a file that
    // could not be written (EFileWriteError), else empty. A std::exception that is not an Exception counts with
    // its what() as message.
    static UserException Create(const QString &Context, const std::exception &E);
    // As Create, with Context first formatted with Args.
    static UserException CreateFmt(const QString &Context, const QVariantList &Args, const std::exception &E);
    // As Create; UserMessage is UserText, then CR LF and E's user text when it has one.
    static UserException CreateWithUser(const QString &Context, const QString &UserText, const std::exception &E);
    // As CreateWithUser, the context formatted with ContextArgs and the user text with
    // UserArgs.
    static UserException CreateWithUserFmt(const QString &Context, const QVariantList &ContextArgs,
                                           const QString &UserText, const QVariantList &UserArgs,
                                           const std::exception &E);
    // Starts a failure that has a user text from the outset: Message is E's message when E
    // is given, else the user text itself.
    static UserException CreateUser(const QString &UserText, const std::exception *E = nullptr);
    // As CreateUser, the user text formatted with UserArgs.
    static UserException CreateUserFmt(const QString &UserText, const QVariantList &UserArgs,
                                       const std::exception *E = nullptr);

    // UserMessage := UserText formatted with UserArgs, followed by CR LF and E's user text
    // when E is a UserException whose user text is not empty.
    void SetUserMessage(const QString &UserText, const QVariantList &UserArgs, const std::exception *E);

    QString UserMessage;

private:
    explicit UserException(const QString &Msg) : Exception(Msg) {}
};

// The technical message of any caught exception: Message for an Exception, what() else.
QString ExceptionMessage(const std::exception &E);

// The wrapping rule in one line: runs Body and returns its result; an Exception or any
// std::exception escaping from it is raised again as UserException::Create(Context, e).
//   return Wrap("TConfig.Create", [&] { ... });
// Context is converted only when something fails, so the call costs nothing on the
// normal path.
template <class F> auto Wrap(const char *Context, F &&Body) -> decltype(std::forward<F>(Body)())
{
    try {
        return std::forward<F>(Body)();
    } catch (const std::exception &E) {
        throw UserException::Create(QString::fromUtf8(Context), E);
    }
}

// As Wrap for a context built at run time ("TFormList.Load" + a table name, ...).
template <class F> auto Wrap(const QString &Context, F &&Body) -> decltype(std::forward<F>(Body)())
{
    try {
        return std::forward<F>(Body)();
    } catch (const std::exception &E) {
        throw UserException::Create(Context, E);
    }
}

// As Wrap, adding a French user text in front of the inner one
// (UserException::CreateWithUser).
template <class F>
auto WrapWithUser(const char *Context, const char *UserText, F &&Body) -> decltype(std::forward<F>(Body)())
{
    try {
        return std::forward<F>(Body)();
    } catch (const std::exception &E) {
        throw UserException::CreateWithUser(QString::fromUtf8(Context), QString::fromUtf8(UserText), E);
    }
}

// As WrapWithUser for texts built at run time.
template <class F>
auto WrapWithUser(const QString &Context, const QString &UserText, F &&Body) -> decltype(std::forward<F>(Body)())
{
    try {
        return std::forward<F>(Body)();
    } catch (const std::exception &E) {
        throw UserException::CreateWithUser(Context, UserText, E);
    }
}

// As Wrap for the few routines that report a plain Exception instead of a UserException
// (the message box's own routines): its message is Prefix followed by the inner message,
// so nested calls read "[Outer] [Inner] message".
//   return WrapPlain("[TFormDialog.Show] ", [&] { ... });
template <class F> auto WrapPlain(const char *Prefix, F &&Body) -> decltype(std::forward<F>(Body)())
{
    try {
        return std::forward<F>(Body)();
    } catch (const std::exception &E) {
        throw Exception(QString::fromUtf8(Prefix) + ExceptionMessage(E));
    }
}

// Hands out the palette's nine colours in turn, so that neighbouring day rows and shelf
// rows differ. One instance is shared by the whole program (ColorRotation).
class TColorRotation
{
public:
    TColorRotation() = default;
    virtual ~TColorRotation() = default;

    // Starts again at the first palette colour.
    void Reset();
    // The palette colour at Index; Index then moves on, back to 0 after the ninth.
    TColor NextColor();

    // Index in Palette of the colour that the next NextColor returns (0..8).
    int Index = 0;
};

// The program's colour rotation, valid between InitializeUnitConfig() and
// FinalizeUnitConfig() (UnitConfig owns it); tests may point it at their own instance.
extern TColorRotation *ColorRotation;
