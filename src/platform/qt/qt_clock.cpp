// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_clock.h"

#include <QDateTime>
#include <QTime>

namespace kestro {

double QtClock::SecondsSinceMidnight() const {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::string QtClock::LocalDateTime() const {
  // A format string is read in the C locale: the digits and separators never follow the user's.
  return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

}  // namespace kestro
