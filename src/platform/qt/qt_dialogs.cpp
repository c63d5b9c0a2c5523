// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

namespace kestro {

namespace {

QMessageBox::Icon ToIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// File names compare without regard to case, so each pattern also matches its other case.
QString CaseFreePatterns(const QString& patterns) {
  QStringList all;
  for (const QString& pattern :
       patterns.split(QRegularExpression(QStringLiteral("[; ]+")), Qt::SkipEmptyParts)) {
    for (const QString& variant : {pattern, pattern.toUpper(), pattern.toLower()}) {
      if (!all.contains(variant))
        all << variant;
    }
  }
  return all.join(QLatin1Char(' '));
}

QStringList FilterEntries(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].trimmed();
    // A description that already names its patterns ("KESTRO files (*.KST)") loses that part.
    static const QRegularExpression namedPatterns(QStringLiteral(R"(\s*\([^()]*\*[^()]*\)$)"));
    description.remove(namedPatterns);
    entries << QStringLiteral("%1 (%2)").arg(description.trimmed(), CaseFreePatterns(patterns));
  }
  return entries;
}

QFileDialog::Options DialogOptions(const FileDialogRequest& request) {
  QFileDialog::Options options;
  if (!request.overwritePrompt)
    options |= QFileDialog::DontConfirmOverwrite;
  return options;
}

// Keeps the dialog's default suffix that of the filter in view, so the overwrite prompt sees the
// name that will be written.
void FollowFilterSuffix(QFileDialog& dialog) {
  dialog.setDefaultSuffix(QtDialogs::FilterSuffix(dialog.selectedNameFilter()));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
    dialog.setDefaultSuffix(QtDialogs::FilterSuffix(f));
  });
}

}  // namespace

MessageAnswer QtDialogs::Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                 const std::string& title) {
  const QString caption = QString::fromStdString(title.empty() ? kProgramTitle : title);
  const QMessageBox::StandardButtons choices =
      buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
  QMessageBox box(ToIcon(icon), caption, QString::fromStdString(text), choices,
                  QApplication::activeWindow());
  const int answer = box.exec();
  if (buttons == MessageButtons::Ok)
    return MessageAnswer::Ok;
  return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtDialogs::Beep() {
  QApplication::beep();
}

std::string QtDialogs::OpenFile(const FileDialogRequest& request) {
  QString selected = SelectedFilter(request.filter, request.filterIndex);
  const QString path = QFileDialog::getOpenFileName(
      QApplication::activeWindow(), QString::fromStdString(request.title),
      QString::fromStdString(request.initialName), FilterList(request.filter), &selected);
  return path.toStdString();
}

// A typed name without an extension gets the chosen filter's, so that the Get dialogs, which
// list by extension, find what was saved.
std::string QtDialogs::SaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                     QString::fromStdString(request.initialName), FilterList(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOptions(DialogOptions(request));
  dialog.selectNameFilter(SelectedFilter(request.filter, request.filterIndex));
  FollowFilterSuffix(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  const QString path = dialog.selectedFiles().constFirst();
  return WithSuffix(path, FilterSuffix(dialog.selectedNameFilter())).toStdString();
}

QString QtDialogs::FilterSuffix(const QString& entry) {
  static const QRegularExpression firstPattern(QStringLiteral(R"(\(\*\.([^*?\[\] ;()]+)[ )])"));
  const QRegularExpressionMatch match = firstPattern.match(entry);
  return match.hasMatch() ? match.captured(1) : QString();
}

QString QtDialogs::WithSuffix(const QString& path, const QString& suffix) {
  const QString name = path.section(QLatin1Char('/'), -1);
  if (suffix.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('.')))
    return path;
  return path + QLatin1Char('.') + suffix;
}

QString QtDialogs::FilterList(const std::string& filter) {
  return FilterEntries(filter).join(QStringLiteral(";;"));
}

QString QtDialogs::SelectedFilter(const std::string& filter, int filterIndex) {
  const QStringList entries = FilterEntries(filter);
  if (entries.isEmpty())
    return {};
  const bool inRange = filterIndex >= 1 && filterIndex <= entries.size();
  return entries[inRange ? filterIndex - 1 : 0];
}

}  // namespace kestro
