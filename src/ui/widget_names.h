#pragma once

#include <QObject>
#include <QString>

// Every control carries its name as the objectName, so tests and code find it by that name.
template <typename W, typename... Args>
W* named(const char* name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
