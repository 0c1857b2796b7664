#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (the session's end, Ctrl+C, a closed terminal) into a call
// on the thread of Qt's event loop, where the program can end its work in order instead of
// being cut off. The handler only writes the signal's number into a pipe that the event loop
// watches. One instance at a time; the signals' previous handlers come back when it goes.
class SenalesDeTermino : public QObject
{
public:
    explicit SenalesDeTermino(std::function<void(int nSenal)> alRecibir, QObject *pPadre = nullptr);
    ~SenalesDeTermino() override;

    // The exit status a shell gives a process ended by the signal: 128 + its number.
    static int EstadoDeSalida(int nSenal) { return 128 + nSenal; }

private:
    void Lee();

    std::function<void(int)> m_alRecibir;
    QSocketNotifier *m_pAviso = nullptr;
};
