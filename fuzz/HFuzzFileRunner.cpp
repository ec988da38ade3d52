// Runs a harness on files instead of under libFuzzer: each argument is a file or a
// directory of files, every one fed to LLVMFuzzerTestOneInput once. Used by the test
// suite (the seed corpora and the regression files) in builds without libFuzzer, and
// to replay a finding under a debugger.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(arg).isDir()) {
            for (const QFileInfo& fi : QDir(arg).entryInfoList(QDir::Files, QDir::Name))
                files << fi.filePath();
        } else {
            files << arg;
        }
    }
    int ran = 0;
    for (const QString& path : files) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray bytes = f.readAll();
        std::fprintf(stderr, "running %s (%d bytes)\n", qPrintable(path), int(bytes.size()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               std::size_t(bytes.size()));
        ++ran;
    }
    std::fprintf(stderr, "ran %d inputs\n", ran);
    return ran > 0 ? 0 : 1;
}
