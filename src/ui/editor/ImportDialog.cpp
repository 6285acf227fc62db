#include "ui/editor/ImportDialog.h"

#include "core/questions/QuestionWords.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using QuestionWords::counted;

ImportDialog::ImportDialog(const QuestionImport::Plan &plan, const QString &fileName, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"ImportDialog"_s);
    setWindowTitle(u"Импорт вопросов"_s);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(summary(plan, fileName), this);
    text->setObjectName(u"ImportSummary"_s);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    layout->addWidget(text);

    if (!plan.unreadable.isEmpty()) {
        auto *list = new QPlainTextEdit(unreadableList(plan), this);
        list->setObjectName(u"ImportUnreadable"_s);
        list->setReadOnly(true);
        list->setAccessibleName(u"Непрочитанные блоки"_s);
        list->setMinimumHeight(120);
        layout->addWidget(list);
    }

    auto *buttons = new QDialogButtonBox(this);
    if (plan.added.isEmpty()) {
        buttons->addButton(u"Закрыть"_s, QDialogButtonBox::RejectRole)->setDefault(true);
    } else {
        QPushButton *add = buttons->addButton(u"Добавить %1"_s.arg(counted(plan.added.size())), QDialogButtonBox::AcceptRole);
        add->setObjectName(u"ImportAdd"_s);
        add->setDefault(true);
        add->setFocus();
        buttons->addButton(u"Отмена"_s, QDialogButtonBox::RejectRole);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, plan.unreadable.isEmpty() ? 160 : 340);
}

QString ImportDialog::summary(const QuestionImport::Plan &plan, const QString &fileName)
{
    QStringList lines;
    lines << u"Файл «%1» прочитан как %2."_s.arg(fileName, plan.blocks ? u"блоки «?» базы"_s : u"вопросы по одному в строке"_s);
    lines << (plan.added.isEmpty() ? u"Новых вопросов в нём нет: в базе ничего не изменится."_s
                                   : u"Будет добавлено в базу: %1."_s.arg(counted(plan.added.size())));
    if (plan.repeats > 0)
        lines << u"Уже есть в базе, пропущено: %1."_s.arg(counted(plan.repeats));
    if (!plan.unreadable.isEmpty())
        lines << u"Не прочитано блоков: %1 — они не будут добавлены:"_s.arg(plan.unreadable.size());
    if (!plan.added.isEmpty())
        lines << u"Пока вы не согласитесь, база не изменится."_s;
    return lines.join(u'\n');
}

QString ImportDialog::unreadableList(const QuestionImport::Plan &plan)
{
    QStringList lines;
    for (const QuestionImport::Unreadable &u : plan.unreadable)
        lines << u"Строка %1: %2"_s.arg(u.line).arg(u.reason);
    return lines.join(u'\n');
}
