#include "platform/qt/qt_clock.h"

#include <QTime>

namespace kestro {

double QtClock::SecondsSinceMidnight() const {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace kestro
