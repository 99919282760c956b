#include "UnitTypes.h"

#include "KVXFiles.h"
#include "UnitConst.h"
#include "UnitTools.h"

TColorRotation *ColorRotation = nullptr;

namespace {

// Format, or the text itself when it does not format: a stray "%" in a context or a user
// text must not replace the failure being reported by a format error.
QString FormatOrText(const QString &Fmt, const QVariantList &Args)
{
    try {
        return Format(Fmt, Args);
    } catch (const Exception &) {
        return Fmt;
    }
}

const UserException *AsUserException(const std::exception *E)
{
    return dynamic_cast<const UserException *>(E);
}

} // namespace

QString ExceptionMessage(const std::exception &E)
{
    if (const auto *Ex = dynamic_cast<const Exception *>(&E))
        return Ex->Message;
    return QString::fromUtf8(E.what());
}

UserException UserException::Create(const QString &Context, const std::exception &E)
{
    return CreateFmt(Context, {}, E);
}

UserException UserException::CreateFmt(const QString &Context, const QVariantList &Args, const std::exception &E)
{
    UserException Result(FormatOrText(QStringLiteral("[%s] %s"), {FormatOrText(Context, Args), ExceptionMessage(E)}));
    if (const UserException *Inner = AsUserException(&E))
        Result.UserMessage = Inner->UserMessage;
    else if (const auto *Write = dynamic_cast<const EFileWriteError *>(&E))
        // Whatever file it was (settings, a page, a copy), the user learns which one and why.
        Result.UserMessage = AddFileFailureReason(
            FormatOrText(QStringLiteral("Impossible d'enregistrer le fichier \"%s\"."), {Write->FileName}), E);
    return Result;
}

UserException UserException::CreateWithUser(const QString &Context, const QString &UserText, const std::exception &E)
{
    return CreateWithUserFmt(Context, {}, UserText, {}, E);
}

UserException UserException::CreateWithUserFmt(const QString &Context, const QVariantList &ContextArgs,
                                               const QString &UserText, const QVariantList &UserArgs,
                                               const std::exception &E)
{
    UserException Result = CreateFmt(Context, ContextArgs, E);
    Result.SetUserMessage(UserText, UserArgs, &E);
    return Result;
}

UserException UserException::CreateUser(const QString &UserText, const std::exception *E)
{
    return CreateUserFmt(UserText, {}, E);
}

UserException UserException::CreateUserFmt(const QString &UserText, const QVariantList &UserArgs,
                                           const std::exception *E)
{
    UserException Result{QString()};
    Result.SetUserMessage(UserText, UserArgs, E);
    Result.Message = E ? ExceptionMessage(*E) : Result.UserMessage;
    return Result;
}

void UserException::SetUserMessage(const QString &UserText, const QVariantList &UserArgs, const std::exception *E)
{
    UserMessage = FormatOrText(UserText, UserArgs);
    const UserException *Inner = AsUserException(E);
    if (Inner && !Inner->UserMessage.isEmpty())
        UserMessage += QStringLiteral("\r\n") + Inner->UserMessage;
}

void TColorRotation::Reset()
{
    Index = 0;
}

TColor TColorRotation::NextColor()
{
    // Index is public; a value set out of range starts the rotation again.
    if (Index < 0 || Index >= PaletteCount)
        Index = 0;
    const TColor Result = Palette[Index];
    Index = (Index + 1) % PaletteCount;
    return Result;
}
