// The main window's project commands: new, open, save, calculate, units, language, and
// the modified state they share.

#include "MainWindow.h"

#include "CUnitFun.h"
#include "HCalHelper.h"
#include "HCalculationRun.h"
#include "HLanguageSetDlg.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HTimer.h"
#include "HVRF.h"
#include "HWaitCursor.h"
#include "HWeatherWidget.h"
#include "TranslateString.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

HProject* project()
{
    return HProject::getProject();
}

bool isProjectSuffix(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("ee") || suffix == QLatin1String("vrf")
        || suffix == QLatin1String("eed");
}

// A project name as a file name: no directory separators.
QString fileNameOf(QString name)
{
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    name = name.trimmed();
    return (name.isEmpty() ? QStringLiteral("NewProject") : name) + QStringLiteral(".ee");
}

} // namespace

// ---------------------------------------------------------------------------------
// Project state

void MainWindow::markClean()
{
    emit signal_update_window_data_to_project();
    m_cleanState = HProjectFile::toJson(project());
}

bool MainWindow::isModified()
{
    emit signal_update_window_data_to_project();
    return HProjectFile::toJson(project()) != m_cleanState;
}

bool MainWindow::holdsData()
{
    HProject* p = project();
    return !p->GetfilePath().isEmpty() || !p->getOwnVRFSys()->isEmpty()
        || !p->getOtherVRFSys()->isEmpty() || isModified();
}

bool MainWindow::maybeSave()
{
    if (!isModified())
        return true;
    QMessageBox box(QMessageBox::Question, TranslateString("Query"),
                    TranslateString("Save changes?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText(
        TranslateString("The current project has changes that are not saved in a file."));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveProject(false);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void MainWindow::applyProjectUnits()
{
    HProject* p = project();
    CUnitFun::SetUnitTemp(p->GetUnit_Temperature());
    CUnitFun::SetUnitLoad(p->GetUnit_Load());
    CUnitFun::SetUnitAirFlowRate(p->GetUnit_AirFlowRate());
    CUnitFun::SetUnitLength(p->GetUnit_Length());
}

void MainWindow::refreshPagesFromProject()
{
    // The pages show the project in its own display units.
    applyProjectUnits();
    setPagesLanguage();
    emit signal_reset_windows();
    emit signal_update_project_data_to_window();
}

void MainWindow::showNotice(const QString& title, const QString& text)
{
    if (!text.trimmed().isEmpty())
        QMessageBox::information(this, title, text, QMessageBox::Ok);
}

// ---------------------------------------------------------------------------------
// Commands

void MainWindow::New()
{
    const auto answer = QMessageBox::question(
        this, TranslateString("Query"),
        TranslateString("Do you want to close the current project?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return;
    const bool discard = answer == QMessageBox::Yes;
    if (discard) {
        if (!maybeSave())
            return;
        HProjectSession::newProject();
    }
    // Without discarding, the project stays as a start for a new one under a new name.
    project()->setfilePath(QString());
    updateTitle();
    {
        HWaitCursor wait;
        refreshPagesFromProject();
    }
    switchToProjectSet();
    if (discard)
        markClean();
    sendMsgToStatusBar(TranslateString("Ready"));
}

void MainWindow::Open()
{
    if (isModified()) {
        if (!maybeSave())
            return;
    } else if (holdsData()) {
        const auto answer =
            QMessageBox::question(this, TranslateString("Query"),
                                  TranslateString("Do you want to close the "
                                                  "current project?"),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer != QMessageBox::Yes)
            return;
    }

    const QString current = project()->GetfilePath();
    QFileDialog dialog(this, TranslateString("Open File"),
                       current.isEmpty() ? QString() : QFileInfo(current).absolutePath(),
                       TranslateString("Energy Evaluate (*.ee);;VELA Project Data(*.vrf);;VELA "
                                       "Project Export Data(*.eed)"));
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    openPath(dialog.selectedFiles().constFirst());
}

bool MainWindow::openPath(const QString& path)
{
    const QString title = TranslateString("Open File");
    if (!QFileInfo(path).isFile()) {
        QMessageBox::warning(this, title, TranslateString("Project file not found: %1").arg(path));
        return false;
    }
    if (!isProjectSuffix(path)) {
        QMessageBox::warning(this, title,
                             TranslateString("%1 is not a project file. Projects end in .ee; "
                                             "selection projects in .vrf or .eed.")
                                 .arg(path));
        return false;
    }

    QString error;
    HProjectNotices notices;
    bool ok = false;
    {
        HWaitCursor wait;
        sendMsgToStatusBar(TranslateString("Opening %1 ...").arg(QFileInfo(path).fileName()));
        ok = HProjectSession::openProject(path, &error, &notices);
        if (ok) {
            updateTitle();
            refreshPagesFromProject();
            switchToProjectSet();
        }
    }
    if (!ok) {
        sendMsgToStatusBar(TranslateString("Ready"));
        QMessageBox::warning(this, title, error);
        return false;
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("ee"), Qt::CaseInsensitive) == 0)
        markClean();
    else
        m_cleanState = QJsonObject(); // imported: nothing is written until the user saves
    sendMsgToStatusBar(TranslateString("Ready"));
    showNotice(title, notices.texts().join(QLatin1Char('\n')));
    return true;
}

void MainWindow::openEED(QString szPath)
{
    QString error;
    HProjectNotices notices;
    if (!::openEED(szPath, &error, &notices))
        QMessageBox::warning(this, TranslateString("Open File"), error);
    showNotice(TranslateString("Open File"), notices.texts().join(QLatin1Char('\n')));
    emit signal_update_project_data_to_window();
}

void MainWindow::openVRF(QString szPath)
{
    QString error;
    HProjectNotices notices;
    if (!::openVRF(szPath, &error, &notices)) {
        QMessageBox::warning(this, TranslateString("Open File"), error);
        return;
    }
    showNotice(TranslateString("Error"), notices.texts().join(QLatin1Char('\n')));
    emit signal_update_project_data_to_window();
}

void MainWindow::Save()
{
    saveProject(false);
}

void MainWindow::SaveAs()
{
    saveProject(true);
}

bool MainWindow::saveProject(bool askForPath)
{
    emit signal_update_window_data_to_project();
    HProject* p = project();
    QString path = p->GetfilePath();
    const QFileInfo info(path);
    if (askForPath || !info.exists()
        || info.suffix().compare(QLatin1String("ee"), Qt::CaseInsensitive) != 0) {
        const QString folder = path.isEmpty() ? QString() : info.absolutePath() + QLatin1Char('/');
        QFileDialog dialog(this, TranslateString("Save File"), QString(),
                           TranslateString("Energy Evaluate (*.ee)"));
        dialog.setObjectName(QStringLiteral("saveFileDialog"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("ee"));
        dialog.selectFile(folder + fileNameOf(p->Getname()));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
    }
    if (path.isEmpty())
        return false;

    QString error;
    bool ok = false;
    {
        HWaitCursor wait;
        ok = saveProjectFile(path, &error);
    }
    if (!ok) {
        QMessageBox::warning(this, TranslateString("Save File"), error);
        return false;
    }
    updateTitle();
    markClean();
    sendMsgToStatusBar(TranslateString("Saved %1").arg(path));
    return true;
}

bool MainWindow::Calculate()
{
    // The check sees what the pages show.
    emit signal_update_window_data_to_project();
    HCalHelper::setQuestionHook([this](const QString& title, const QString& text) {
        return QMessageBox::question(this, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes)
            == QMessageBox::Yes;
    });
    const HCalHelper::CheckResult check = HCalHelper::checkCanCalculate();
    HCalHelper::setQuestionHook(nullptr);
    HProjectNotices notices;
    for (const HPeakLoadReplacement& replacement : check.peakLoadReplacements)
        notices.addPeakLoadReplacement(replacement);
    if (!check.canCalculate) {
        QString text = check.message;
        if (!notices.isEmpty()) {
            emit signal_update_project_data_to_window();
            text += QStringLiteral("\n\n") + notices.texts().join(QLatin1Char('\n'));
        }
        QMessageBox::information(this, TranslateString("Warning"), text, QMessageBox::Ok);
        return false;
    }

    {
        HWaitCursor wait;
        HTimer timer;
        sendMsgToStatusBar(TranslateString("Save project data..."));
        emit signal_update_window_data_to_project();
        if (m_weatherWidget) {
            sendMsgToStatusBar(TranslateString("Weather analysis..."));
            m_weatherWidget->slot_weather_anlysis();
        }
        sendMsgToStatusBar(TranslateString("Calculating..."));
        if (!HCalculationRun::calculateYear(HCalculationRun::configuredAdjust())) {
            sendMsgToStatusBar(QString());
            QMessageBox::information(this, TranslateString("Warning"),
                                     HCalculationRun::notFiniteMessage(), QMessageBox::Ok);
            return false;
        }
        sendMsgToStatusBar(TranslateString("Done."));
        // The check may have replaced peak loads; the settings page shows the values used.
        if (!notices.isEmpty())
            emit signal_update_project_data_to_window();
        switchReport();
    }
    showNotice(TranslateString("Calculate"), notices.texts().join(QLatin1Char('\n')));
    return true;
}

void MainWindow::setUnits()
{
    // Typed table values reach the project before the pages are rebuilt from it.
    emit signal_update_window_data_to_project();
    if (!CUnitFun::showUnitWidget())
        return;
    HProject* p = project();
    p->setUnit_Temperature(CUnitFun::GetUnitTemp());
    p->setUnit_Load(CUnitFun::GetUnitLoad());
    p->setUnit_AirFlowRate(CUnitFun::GetUnitAirFlowRate());
    p->setUnit_Length(CUnitFun::GetUnitLength());
    HWaitCursor wait;
    setPagesLanguage();
    emit signal_update_project_data_to_window();
}

void MainWindow::switchToLanguage()
{
    HLanguageSetDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted && dialog.isLanguageChanged())
        updateLanguage();
}
