#include "platform/qt/qt_dialog_driver.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

namespace vx::win::qt {
namespace {

QString fromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), s.size());
}

// Refuses a name whose folder does not exist, as "path must exist" asks.
class FileDialog : public QFileDialog {
  public:
    FileDialog(QWidget* parent, bool pathMustExist)
        : QFileDialog(parent), pathMustExist_(pathMustExist) {}

  protected:
    void accept() override {
        if (pathMustExist_) {
            for (const QString& f : selectedFiles()) {
                const QFileInfo info(f);
                if (!info.isDir() && !info.absoluteDir().exists()) {
                    QMessageBox::warning(this, windowTitle(),
                                         tr("%1\nPath does not exist.").arg(info.absolutePath()));
                    return;
                }
            }
        }
        QFileDialog::accept();
    }

  private:
    bool pathMustExist_;
};

QStringList nameFilters(const std::vector<FileFilter>& filters) {
    QStringList names;
    for (const FileFilter& f : filters) {
        QStringList patterns;
        for (const std::string& p : f.patterns) patterns << fromUtf8(p);
        if (patterns.isEmpty()) patterns << "*";
        // The patterns go in the last parentheses, where Qt looks for them; the details
        // are hidden, so the user sees the description as the caller wrote it.
        names << fromUtf8(f.description) + " (" + patterns.join(' ') + ")";
    }
    return names;
}

} // namespace

FileReply QtDialogDriver::chooseFile(const FileQuery& q) {
    FileDialog dlg(ownerWidget(q.owner), q.pathMustExist);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setAcceptMode(q.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(q.save            ? QFileDialog::AnyFile
                    : q.multiSelect   ? QFileDialog::ExistingFiles
                    : q.fileMustExist ? QFileDialog::ExistingFile
                                      : QFileDialog::AnyFile);
    if (!q.overwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setWindowTitle(q.title.empty()
                           ? (q.save ? QFileDialog::tr("Save As") : QFileDialog::tr("Open"))
                           : fromUtf8(q.title));
    if (!q.defaultExt.empty()) dlg.setDefaultSuffix(fromUtf8(q.defaultExt));

    const QStringList filters = nameFilters(q.filters);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        dlg.selectNameFilter(filters.value(q.filterIndex - 1, filters.front()));
    }

    // A folder in the initial name wins over the initial folder.
    const QString initial = fromUtf8(q.initialName);
    const QFileInfo initialInfo(initial);
    QString folder = initial.contains('/') ? initialInfo.absolutePath() : fromUtf8(q.initialDir);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::currentPath();
    dlg.setDirectory(folder);
    if (!initialInfo.fileName().isEmpty()) dlg.selectFile(initialInfo.fileName());

    QCheckBox* readOnly = nullptr;
    if (q.showReadOnly) {
        readOnly = new QCheckBox(QFileDialog::tr("Open as &read-only"), &dlg);
        readOnly->setObjectName("readOnlyBox");
        readOnly->setChecked(q.readOnly);
        if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout()))
            grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    }

    FileReply r;
    r.confirmed = runModal(dlg);
    if (!r.confirmed) return r;
    for (const QString& f : dlg.selectedFiles()) r.files.push_back(f.toUtf8().toStdString());
    r.filterIndex = q.filterIndex;
    // The combo's position tells the chosen pair even when two descriptions read the same.
    if (const auto* combo = dlg.findChild<QComboBox*>("fileTypeCombo");
        combo && combo->currentIndex() >= 0 && combo->count() == filters.size())
        r.filterIndex = combo->currentIndex() + 1;
    else if (const int i = filters.indexOf(dlg.selectedNameFilter()); i >= 0)
        r.filterIndex = i + 1;
    r.readOnly = readOnly && readOnly->isChecked();
    return r;
}

} // namespace vx::win::qt
