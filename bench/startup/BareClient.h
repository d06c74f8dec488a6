// The bare window's client area: paints one playfield-sized image, as the game paints its back buffer.
#pragma once

#include <QImage>
#include <QWidget>

class CBareClient : public QWidget {
public:
    explicit CBareClient(QWidget* pParent = nullptr);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QImage m_image;
};
