#pragma once
// The check lists of the flow windows: one tickable line per record, ticked all at once by
// "Tutti", cleared by "Nessuno", and read back as the rows ticked.

#include <QString>
#include <vector>

class QListWidget;

namespace braxol::telematic {

// Adds a line that the user can tick, unticked.
void AddTickable(QListWidget* list, const QString& text);
void TickAll(QListWidget* list, bool ticked);
// The rows ticked, in list order.
std::vector<int> TickedRows(const QListWidget* list);

}  // namespace braxol::telematic
