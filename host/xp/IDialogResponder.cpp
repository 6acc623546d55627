#include "xp/IDialogResponder.h"

#include "xp/CDefaultDialogResponder.h"

namespace XP {

namespace {

IDialogResponder *&installedResponder()
{
    static IDialogResponder *responder = nullptr;
    return responder;
}

} // namespace

void setDialogResponder(IDialogResponder *responder)
{
    installedResponder() = responder;
}

IDialogResponder *dialogResponder()
{
    if (IDialogResponder *r = installedResponder())
        return r;
    static CDefaultDialogResponder defaultResponder;
    return &defaultResponder;
}

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter)
{
    return dialogResponder()->getOpenFileName(parent, caption, dir, filter);
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter)
{
    return dialogResponder()->getSaveFileName(parent, caption, dir, filter);
}

} // namespace XP
