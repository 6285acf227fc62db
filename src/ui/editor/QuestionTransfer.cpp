#include "ui/editor/QuestionTransfer.h"

#include "core/questions/QuestionEditing.h"
#include "core/questions/QuestionWords.h"
#include "ui/editor/ImportDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include <numeric>

using namespace Qt::StringLiterals;
using QuestionWords::counted;

QuestionTransfer::QuestionTransfer(QuestionEditing &editing, EditorPrompts &prompts, QObject *parent)
    : QObject(parent), m_editing(editing), m_prompts(prompts)
{
}

void QuestionTransfer::importChosen()
{
    const QString path = m_prompts.chooseFile(false);
    if (!path.isEmpty())
        importFile(path);
}

bool QuestionTransfer::importFile(const QString &path)
{
    QStringList lines;
    if (Status read = QuestionImport::read(path, &lines); !read) {
        Q_EMIT cleared();
        m_prompts.showError(read);
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    const QuestionImport::Plan plan = m_editing.planImport(lines);
    if (!m_prompts.confirmImport(plan, fileName) || plan.added.isEmpty()) {
        Q_EMIT told(u"Импорт из «%1» отменён, база не изменилась."_s.arg(fileName));
        return false;
    }
    const int first = m_editing.count();
    if (Status added = m_editing.add(plan.added); !added) {
        Q_EMIT failed(added);
        return false;
    }
    Q_EMIT this->added(first);
    Q_EMIT changed(u"Из «%1» добавлено: %2; уже были в базе: %3; не прочитано блоков: %4."_s.arg(fileName)
                       .arg(counted(plan.added.size()))
                       .arg(plan.repeats)
                       .arg(plan.unreadable.size()));
    return true;
}

void QuestionTransfer::exportChosen(const QList<int> &selected)
{
    const QList<int> blocks = m_prompts.chooseExport(selected);
    if (blocks.isEmpty())
        return;
    const QString path = m_prompts.chooseFile(true);
    if (!path.isEmpty())
        exportBlocks(path, blocks);
}

bool QuestionTransfer::exportBlocks(const QString &path, const QList<int> &blocks)
{
    if (Status written = m_editing.exportTo(path, blocks); !written) {
        Q_EMIT cleared();
        m_prompts.showError(written);
        return false;
    }
    Q_EMIT told(u"В файл «%1» записано: %2."_s.arg(QFileInfo(path).fileName(), counted(blocks.size())));
    return true;
}

bool QuestionTransfer::askImport(QWidget *parent, const QuestionImport::Plan &plan, const QString &fileName)
{
    ImportDialog dialog(plan, fileName, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString QuestionTransfer::askFile(QWidget *parent, bool forSaving)
{
    QFileDialog dialog(parent, forSaving ? u"Файл для экспорта"_s : u"Файл для импорта"_s);
    // Qt's own dialog, whose texts are set here in Russian.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters({u"Текстовые файлы (*.txt *.tsv *.csv)"_s, u"Все файлы (*)"_s});
    dialog.setLabelText(QFileDialog::LookIn, u"Папка:"_s);
    dialog.setLabelText(QFileDialog::FileName, u"Имя файла:"_s);
    dialog.setLabelText(QFileDialog::FileType, u"Тип файлов:"_s);
    dialog.setLabelText(QFileDialog::Accept, forSaving ? u"Записать"_s : u"Открыть"_s);
    dialog.setLabelText(QFileDialog::Reject, u"Отмена"_s);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    if (forSaving) {
        dialog.setDefaultSuffix(u"txt"_s);
        dialog.selectFile(u"вопросы.txt"_s);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QList<int> QuestionTransfer::askExport(QWidget *parent, const QList<int> &selected, int count)
{
    QList<int> all(count);
    std::iota(all.begin(), all.end(), 0);
    if (selected.isEmpty() || selected.size() == all.size())
        return all;
    QMessageBox box(QMessageBox::Question, u"Экспорт вопросов"_s, u"Что записать в файл?"_s, QMessageBox::NoButton, parent);
    QPushButton *chosen = box.addButton(u"Выбранные: %1"_s.arg(counted(selected.size())), QMessageBox::AcceptRole);
    QPushButton *whole = box.addButton(u"Всю базу: %1"_s.arg(counted(all.size())), QMessageBox::AcceptRole);
    box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.setDefaultButton(chosen);
    box.exec();
    if (box.clickedButton() == chosen)
        return selected;
    if (box.clickedButton() == whole)
        return all;
    return {};
}
