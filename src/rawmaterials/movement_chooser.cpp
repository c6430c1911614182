#include "rawmaterials/movement_chooser.h"

namespace braxol::rawmaterials {

TFSCEGLICARSCAMP::TFSCEGLICARSCAMP(const WorkFolders& folders, int maxWidth, int maxHeight,
                                   QWidget* parent)
    : production::TFSCEGLIMOVIMENTO(
          {folders, QChar(production::kRawMaterialChooserMode), 0, maxWidth, maxHeight}, parent) {
    setObjectName("FSCEGLICARSCAMP");
}

ChosenMovement ChooseRawMaterialMovement(QWidget* parent, const WorkFolders& folders, int maxWidth,
                                         int maxHeight) {
    TFSCEGLICARSCAMP window(folders, maxWidth, maxHeight, parent);
    window.exec();
    ChosenMovement result{window.chosen(), std::nullopt};
    result.movement = production::ReadChosenMovement(
        parent, folders, QChar(production::kRawMaterialChooserMode), result.chosen);
    return result;
}

}  // namespace braxol::rawmaterials
