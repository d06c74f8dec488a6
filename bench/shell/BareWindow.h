// The yardstick: a plain Qt window that repaints a 640 x 400 image on a precise 20 ms timer.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

class CBareWindow : public QWidget {
public:
    CBareWindow(int nWidth, int nHeight, int nPeriodMs);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    // Like a game tick: one pixel changes, the whole window is repainted.
    void OnTick();

    QImage m_image;
    QTimer m_timer;
    int m_nTick = 0;
};
