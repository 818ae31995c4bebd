#include "media_scan.h"

#include "base/cp1252.h"
#include "base/text.h"
#include "platform/folder_listing.h"

#include <memory>

void ScanMediaFolder(IntakeModel& intake, const Settings& settings)
{
    std::vector<std::string> wildcards;
    for (const std::string& pattern : settings.MediaPatterns)
        if (!pattern.empty())
            wildcards.push_back(settings.MediaFolder + pattern);
    const std::string position = settings.NickName + "-" + intake.VolumeLabel;

    int slot = 0;
    intake.FileNames.clear();
    intake.Associated.clear();
    for (const auto& matches : files::listMatching(wildcards)) {
        for (const files::DirEntry& e : matches) {
            auto record = std::make_shared<dfilm>();
            record->titolo = text::upperAscii(cp1252::fromUtf8(e.name));
            record->dataa = e.modified;
            record->dimmb = static_cast<double>(e.size) / 1000000.0;
            record->posizione = position;
            intake.IntakeTable.put(++slot, std::move(record));
            intake.FileNames.push_back(e.name);
        }
    }
    intake.IntakeCount = slot;
}

void ReadVolumeLabel(IntakeModel& intake, const Settings& settings, const volume::Sources& sources)
{
    intake.VolumeLabel = volume::ReadVolumeLabel(settings.MediaFolder, sources);
}
