// A process that saves a project over and over is killed (SIGKILL) at random moments:
// the file on disk must always be the old or the new project, whole.

#include "HDay.h"
#include "HMonth.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectSession.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

namespace {

const char* const loopVariable = "BRIVANTA_SAVE_LOOP";

// The old project is small; the new one is several times larger, so that a file cut
// anywhere in a write cannot pass for either.
void buildProject(bool newOne)
{
    HProject* p = HProjectSession::newProject();
    p->setname(newOne ? "New" : "Old");
    p->setcountry("France");
    p->setcity("Paris");
    p->setcooling_peak_load(newOne ? 250.0 : 120.0);
    p->setelectricity_price(0.25);
    for (int i = 0; i < (newOne ? 200 : 3); ++i) {
        auto* unit = new HUnit;
        unit->setunit_type(QStringLiteral("Line %1").arg(i));
        unit->setunit_productcode(QStringLiteral("M-%1").arg(i));
        unit->setquantity(1 + i % 4);
        unit->settotal_capacity_cooling(5.6 + i);
        unit->setpower_input_cooling(1.2 + i * 0.1);
        unit->setis_odu(i % 10 == 0);
        p->getOtherVRFSys()->append(unit);
    }
    HMonth* month = p->getYear()->getMonth(newOne ? 5 : 12);
    month->first()->setisHoliday(true);
}

QJsonObject documentOf(bool newOne)
{
    buildProject(newOne);
    return HProjectFile::toJson(HProject::getProject());
}

// The child: saves the new and the old project in turn, for ever.
int saveLoop(const QString& path)
{
    bool newOne = true;
    std::printf("saving\n");
    std::fflush(stdout);
    for (;;) {
        buildProject(newOne);
        if (!saveProjectFile(path))
            return 1;
        newOne = !newOne;
    }
}

} // namespace

class TestSaveKill : public QObject
{
    Q_OBJECT

private slots:
    void killedSaveLeavesAWholeProject();
};

void TestSaveKill::killedSaveLeavesAWholeProject()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("project.ee");
    const QJsonObject oldDoc = documentOf(false);
    const QJsonObject newDoc = documentOf(true);
    QVERIFY(oldDoc != newDoc);
    buildProject(false);
    QVERIFY(saveProjectFile(path));

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int sawOld = 0, sawNew = 0;
    for (int round = 0; round < 25; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(loopVariable, path);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(30000)); // "saving": the loop has begun
        QThread::usleep(random.bounded(1000, 60000));
        child.kill(); // SIGKILL
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly),
                 qPrintable(QStringLiteral("round %1 (seed %2): no project file").arg(round).arg(seed)));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError,
                 qPrintable(QStringLiteral("round %1 (seed %2): the file is not whole: %3")
                                .arg(round)
                                .arg(seed)
                                .arg(error.errorString())));
        const bool isOld = doc.object() == oldDoc;
        const bool isNew = doc.object() == newDoc;
        QVERIFY2(isOld || isNew,
                 qPrintable(QStringLiteral("round %1 (seed %2): neither project").arg(round).arg(seed)));
        (isOld ? sawOld : sawNew)++;
    }
    qInfo("old project %d times, new project %d times", sawOld, sawNew);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(loopVariable))
        return saveLoop(qEnvironmentVariable(loopVariable));
    TestSaveKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savekill.moc"
