// A bare window that does per tick what the game's window does at the least: change the image, repaint it whole.
#include "BareWindow.h"

#include <QPainter>

CBareWindow::CBareWindow(int nWidth, int nHeight, int nPeriodMs) : m_image(nWidth, nHeight, QImage::Format_RGB32)
{
    m_image.fill(Qt::black);
    setFixedSize(nWidth, nHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTick(); });
    m_timer.start(nPeriodMs);
}

void CBareWindow::OnTick()
{
    m_image.setPixel(m_nTick % m_image.width(), m_nTick / m_image.width() % m_image.height(), qRgb(255, 0, 0));
    ++m_nTick;
    update();
}

void CBareWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
