#pragma once
// The window's client area: peach background with the schematic drawing, on which
// the instrument panels stand. Its size is the layout's; extra room stays peach.

#include <QWidget>

namespace eh {

class BenchSurface : public QWidget {
    Q_OBJECT
public:
    explicit BenchSurface(QWidget* parent = nullptr);

    void setSampleWidthTwips(int twips);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int sampleWidth_ = 0;
};

} // namespace eh
