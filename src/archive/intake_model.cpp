#include "intake_model.h"

const std::string& IntakeModel::fileName(int slot) const
{
    static const std::string none;
    return slot >= 1 && slot <= static_cast<int>(FileNames.size()) ? FileNames[static_cast<std::size_t>(slot - 1)]
                                                                   : none;
}

bool IntakeModel::associated(int slot) const
{
    return slot >= 1 && slot <= static_cast<int>(Associated.size()) && Associated[static_cast<std::size_t>(slot - 1)];
}
