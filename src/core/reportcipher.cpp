#include "core/reportcipher.h"

// Placeholder until the encoding is written.
namespace ReportCipher {
void InitCipher() {}
void StartBlock() {}
void EncodeText(const QString&) {}
QString ByteToHex(quint8)
{
    return {};
}
QString GetEncodedBlock()
{
    return {};
}
void setSaltSource(RandomSource) {}
} // namespace ReportCipher
