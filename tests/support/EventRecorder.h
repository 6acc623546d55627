#pragma once

#include "QtPrinters.h"
#include "xp/CBaseWidget.h"

#include <QVariant>

#include <QVector>
#include <functional>

// A widget that records the events reaching it, in a log several recorders may share.
struct RecordedEvent
{
    QString who;
    int event;
    int a;
    int b;
    QString text;
    void *data;
};

class EventRecorder : public XP::CBaseWidget
{
public:
    EventRecorder(const QString &name, QWidget *parent, QVector<RecordedEvent> *log = nullptr)
        : XP::CBaseWidget(name, false, parent)
        , m_log(log ? log : &m_ownLog)
    {
    }

    bool handleEvent(int event, int a, int b, QString text, void *data) override
    {
        m_log->append({ objectName(), event, a, b, text, data });
        if (onEvent)
            onEvent(event, a, b, text, data);
        return consumes.contains(event);
    }

    const QVector<RecordedEvent> &log() const { return *m_log; }
    // What reached this widget of one event, in order, each as "a b" or "a b text".
    QStringList heard(int event) const
    {
        QStringList seen;
        for (const RecordedEvent &e : *m_log) {
            if (e.event == event && e.who == objectName())
                seen << QStringLiteral("%1 %2").arg(e.a).arg(e.b)
                        + (e.text.isEmpty() ? QString() : QLatin1Char(' ') + e.text);
        }
        return seen;
    }
    int count(int event) const { return heard(event).size(); }
    const RecordedEvent *last(int event) const
    {
        for (auto it = m_log->crbegin(); it != m_log->crend(); ++it)
            if (it->event == event)
                return &*it;
        return nullptr;
    }

    QList<int> consumes;
    // Called for each event while its data is still valid.
    std::function<void(int event, int a, int b, const QString &text, void *data)> onEvent;

private:
    QVector<RecordedEvent> m_ownLog;
    QVector<RecordedEvent> *m_log;
};
