#pragma once
// What the telematic windows share for the life of the program: the flow last prepared (by
// the flow window or the request-flow window) and the customs environment of the last call.
// The transmission, verification and detach windows read it; the main window owns it.

#include <QChar>
#include <QString>

namespace braxol::telematic {

enum class Environment { Test, Real };

struct TelematicState {
    QString flowName;        // CODUTE + MMDD + ".C" + number on two digits, 12 characters
    QString signedFilePath;  // FIRMATI folder + flow name + ".p7m"
    QChar flowKind;          // 'C' movement flow, 'R' request flow; null before any flow
    double flowDate = 0;     // day count of the flow being built
    int flowNumber = 0;      // 1..99
    int flowYear = 0;        // the year whose registers the flow window listed
    Environment environment = Environment::Test;  // keeps its last value, starts as test
};

}  // namespace braxol::telematic
