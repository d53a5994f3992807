#include "core/storedpath.h"

#include "core/cp1250.h"

#include <QFileInfo>

namespace StoredPath {

QString Descramble(const QString& stored)
{
    QByteArray codes = Cp1250::encode(stored);
    for (char& c : codes)
        c = char(quint8(c) - 1);
    return Cp1250::decode(codes);
}

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo::exists(path);
}

} // namespace StoredPath
