// Name-based calls into child windows.
#include "shell/ChildCalls.h"

#include <QByteArray>
#include <QMetaObject>
#include <QObject>

namespace zx {

namespace {
bool Offers(QObject* target, const char* method, const char* arguments) {
    if (!target) return false;
    const QByteArray signature = QMetaObject::normalizedSignature(
        (QByteArray(method) + '(' + arguments + ')').constData());
    return target->metaObject()->indexOfMethod(signature.constData()) >= 0;
}
} // namespace

bool CallChild(QObject* target, const char* method) {
    if (!Offers(target, method, "")) return false;
    return QMetaObject::invokeMethod(target, method, Qt::DirectConnection);
}

bool CallChild(QObject* target, const char* method, bool argument) {
    if (!Offers(target, method, "bool")) return false;
    return QMetaObject::invokeMethod(target, method, Qt::DirectConnection, Q_ARG(bool, argument));
}

} // namespace zx
