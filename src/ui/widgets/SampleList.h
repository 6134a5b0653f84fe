#pragma once
// The drop-down list of samples. Its field shows a prompt until an item is chosen from
// the list; the field accepts typing, but typed text never selects anything.

#include <QComboBox>

namespace eh {

class SampleList : public QComboBox {
    Q_OBJECT
public:
    explicit SampleList(QWidget* parent = nullptr);

    // Shows `items` and, in the field, `fieldText`: the chosen item or the prompt.
    void setContents(const QStringList& items, const QString& fieldText);
    QString fieldText() const { return currentText(); }

signals:
    // An item was chosen from the list, by mouse or arrow keys.
    void itemChosen(int index);
};

} // namespace eh
