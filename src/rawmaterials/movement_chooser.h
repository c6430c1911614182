#pragma once
// The raw-material chooser FSCEGLICARSCAMP ("MODIFICA UN MOVIMENTO DI MATERIA PRIMA"): every
// load and unload of one year's REGISTRI/<yyyy>.MPR in file order, the last one selected; it
// returns the NUMOPE of the movement chosen. It is the movement chooser in its raw-material
// mode, with its own name.

#include <optional>

#include "production/movement_chooser.h"

namespace braxol::rawmaterials {

class TFSCEGLICARSCAMP : public production::TFSCEGLIMOVIMENTO {
    Q_OBJECT
public:
    TFSCEGLICARSCAMP(const WorkFolders& folders, int maxWidth, int maxHeight,
                     QWidget* parent = nullptr);
};

struct ChosenMovement {
    production::ChooserResult chosen;    // the NUMOPE (-1 when none) and the year listed
    std::optional<TMOVIMENTO> movement;  // as stored; nothing when none was chosen or found
};

// Shows the chooser and reads the movement chosen from the file of the year listed.
ChosenMovement ChooseRawMaterialMovement(QWidget* parent, const WorkFolders& folders,
                                         int maxWidth = 0, int maxHeight = 0);

}  // namespace braxol::rawmaterials
