#pragma once
// What a new brewer fills in before the books can be kept, in an order in which each window
// finds what it needs: each piece with the menu entry whose window fills it, and whether the
// work folder already holds it.

#include <span>

#include "store/work_folders.h"

namespace braxol::app {

struct SetupStep {
    const char* caption;  // what is filled in, as the brewer calls it
    const char* action;   // the menu entry that opens its window
    // Whether the files of the work folder hold it; a file that cannot be read does not.
    bool (*done)(const WorkFolders& folders, double today);
};

std::span<const SetupStep> SetupSteps();

}  // namespace braxol::app
