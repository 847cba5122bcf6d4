#include "programfonts.h"

#include <QApplication>
#include <QFont>

void installProgramFonts()
{
    QFont::insertSubstitutions(QStringLiteral("新細明體"),
                               {QStringLiteral("AR PL UMing TW"), QStringLiteral("Noto Sans CJK TC"),
                                QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(QStringLiteral("標楷體"),
                               {QStringLiteral("AR PL UKai TW"), QStringLiteral("AR PL UMing TW")});
    QFont::insertSubstitutions(QStringLiteral("LiquidCrystal"),
                               {QStringLiteral("DSEG7 Classic"), QStringLiteral("DejaVu Sans Mono"),
                                QStringLiteral("Monospace")});
    QFont font(QStringLiteral("新細明體"));
    font.setPointSize(10);
    QApplication::setFont(font);
}
