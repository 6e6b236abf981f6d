// File and device paths between Qt and the model layer: the model keeps a path as the bytes
// the system takes (the local 8-bit encoding), Qt as a QString. Every path crosses here.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace zorva {

inline std::string ToLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline QString FromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace zorva
