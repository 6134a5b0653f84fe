#include "ui/widgets/SampleList.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace eh {

SampleList::SampleList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // An editable combo box would select an item whose text was typed in when editing
    // finishes; here typing must not choose anything.
    disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
    disconnect(lineEdit(), SIGNAL(returnPressed()), this, nullptr);
    connect(this, &QComboBox::activated, this, &SampleList::itemChosen);
}

void SampleList::setContents(const QStringList& items, const QString& fieldText) {
    const QSignalBlocker quiet(this);
    QStringList current;
    for (int i = 0; i < count(); ++i) current << itemText(i);
    if (current != items) {
        clear();
        addItems(items);
    }
    setCurrentIndex(items.indexOf(fieldText));
    if (currentText() != fieldText) setEditText(fieldText);
}

} // namespace eh
