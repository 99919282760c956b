// The plain program of a harness: runs every file of the folders (or files) named on its
// command line through the harness, in name order, and says how many it ran. A broken
// property aborts, so ctest reports the failure with the harness's message.
#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

int main(int argc, char **argv)
{
    int Count = 0;
    for (int I = 1; I < argc; ++I) {
        const QString Path = QString::fromLocal8Bit(argv[I]);
        QStringList Files;
        if (QFileInfo(Path).isDir()) {
            for (const QFileInfo &Info : QDir(Path).entryInfoList(QDir::Files, QDir::Name))
                Files << Info.filePath();
        } else {
            Files << Path;
        }
        for (const QString &File : Files) {
            QFile F(File);
            if (!F.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(File));
                return 1;
            }
            const QByteArray Bytes = F.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(File));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(Bytes.constData()), size_t(Bytes.size()));
            ++Count;
        }
    }
    std::printf("%d inputs replayed\n", Count);
    return Count > 0 ? 0 : 1;
}
