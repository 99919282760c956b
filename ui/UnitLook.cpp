#include "UnitLook.h"

#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitGraphicsQt.h"
#include "UnitToolsUi.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

QFont WindowFont()
{
    return PixelFont(QLatin1String(FontVerdana), 13);
}

QFont InputFont()
{
    return PixelFont(QLatin1String(FontArial), 13);
}

QFont LabelFont()
{
    return PixelFont(QLatin1String(FontVerdana), 13, true);
}

QColor HtmlColor(const char *Html)
{
    return TColorToQColor(KVXHtmlToColor(QString::fromLatin1(Html)));
}

void SetTextColor(QWidget *Widget, const QColor &Color)
{
    QPalette Palette = Widget->palette();
    Palette.setColor(QPalette::WindowText, Color);
    Palette.setColor(QPalette::Text, Color);
    Widget->setPalette(Palette);
}

void SetTextColor(QWidget *Widget, TColor Color)
{
    SetTextColor(Widget, TColorToQColor(Color));
}

QFrame *NewGreyLine(QWidget *Parent, const QString &Name, const QRect &Place)
{
    auto *Line = new QFrame(Parent);
    Line->setObjectName(Name);
    Line->setGeometry(Place);
    Line->setAutoFillBackground(true);
    QPalette Palette = Line->palette();
    Palette.setColor(QPalette::Window, TColorToQColor(GreyLineColor));
    Line->setPalette(Palette);
    return Line;
}

void SetStateFonts(TSevenButton *Button, const QFont &Font, TColor Color)
{
    const TFont Styled{Font, Color};
    TSevenButtonFonts *Fonts = Button->Fonts();
    Fonts->SetFontHot(Styled);
    Fonts->SetFontDown(Styled);
    Fonts->SetFontDisabled({Font, clGrayText});
    Fonts->SetFontFocused(Styled);
}

TSevenButton *NewSevenButton(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place)
{
    auto *Button = new TSevenButton(Parent);
    Button->setObjectName(Name);
    Button->SetCaption(Caption);
    Button->setGeometry(Place);
    Button->Border()->SetWidthFocused(2);
    return Button;
}

QLabel *NewLabel(QWidget *Parent, const QString &Name, const QString &Caption, const QPoint &Place, const QFont &Font)
{
    auto *Label = new QLabel(Caption, Parent);
    Label->setObjectName(Name);
    Label->setFont(Font);
    Label->adjustSize();
    Label->move(Place);
    return Label;
}

QCheckBox *NewCheckBox(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place)
{
    auto *Box = new QCheckBox(Caption, Parent);
    Box->setObjectName(Name);
    Box->setGeometry(Place);
    Box->setFont(InputFont());
    Box->setFocusPolicy(Qt::ClickFocus);
    return Box;
}

QLineEdit *NewEdit(QWidget *Parent, const QString &Name, const QString &Text, const QRect &Place)
{
    auto *Edit = new QLineEdit(Text, Parent);
    Edit->setObjectName(Name);
    Edit->setGeometry(Place);
    Edit->setFont(InputFont());
    SetTextColor(Edit, Qt::black);
    return Edit;
}

void SetUpWindow(QDialog *Form, const QString &Name, int Width, int Height)
{
    Form->setObjectName(Name);
    Form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Form->setFont(WindowFont());
    QPalette Palette = Form->palette();
    Palette.setColor(QPalette::Window, Qt::white);
    Form->setPalette(Palette);
    Form->setAutoFillBackground(true);
    Form->setFixedSize(Width, Height);
}
