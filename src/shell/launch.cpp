// The command line and the places of this run's files, settled before the window opens.
#include "shell/launch.h"

namespace vz {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    auto refuse = [&](const std::string& why) {
        cl.action = LaunchAction::Refuse;
        cl.error = why;
        return cl;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.action = LaunchAction::Help;
        } else if (a == "--version") {
            if (cl.action != LaunchAction::Help) cl.action = LaunchAction::Version;
        } else if (a == "--window") {
            cl.windowed = true;
        } else if (a == "--fullscreen") {
            cl.windowed = false;
        } else if (a == "--data" || a.rfind("--data=", 0) == 0) {
            std::string folder;
            if (a == "--data") {
                if (i + 1 >= args.size()) return refuse("--data needs the folder that holds the pictures");
                folder = args[++i];
            } else {
                folder = a.substr(7);
            }
            if (folder.empty()) return refuse("--data needs the folder that holds the pictures");
            cl.dataFolder = folder;
        } else if (!a.empty() && a[0] == '-') {
            return refuse("unknown option '" + a + "'");
        } else {
            return refuse("unexpected argument '" + a + "'");
        }
    }
    return cl;
}

std::string UsageText() {
    return "Usage: vudizid [OPTION]...\n"
           "Vudizid Ozazi: a point-and-click adventure of a castaway on a tropical island.\n"
           "\n"
           "  --window       play in a window\n"
           "  --fullscreen   play on the whole screen (the default)\n"
           "  --data DIR     read the pictures from DIR instead of looking for them\n"
           "  --help         show this help and end\n"
           "  --version      show the version and end\n"
           "\n"
           "Without --data the pictures are looked for in images/ in the working directory, then in\n"
           "images/ next to the program, then in the installed copy. Alt+Enter switches between a\n"
           "window and the whole screen while playing.\n";
}

bool PlaceRunFiles(const std::string& dataFolder, const std::string& installedPictures, FilePlaces& places,
                   std::string& notice) {
    const FoundPictures found = FindPictures({dataFolder, WorkingFolder(), ProgramFolder(), installedPictures});
    if (found.folder.empty()) {
        notice = "The game's pictures were not found; the game cannot start. Looked in:";
        for (size_t i = 0; i < found.tried.size(); ++i) {
            notice += "\n  " + found.tried[i];
            notice += found.existed[i] ? " (holds none of the game's pictures: it is empty, unreadable or another folder)"
                                       : " (no such folder)";
        }
        if (dataFolder.empty()) notice += "\nName their folder with --data DIR.";
        return false;
    }
    const std::string player = PlayerDataFolderOfThisUser();
    places = PlaceFiles(found, player, FolderIsWritable(found.folder));
    // The player's folder is made before it is needed, so the first save has a place to go; if it
    // cannot be made, saving tells so as for any folder that cannot be written.
    if (!player.empty() && places.save == player + "/" + kSaveFileName) MakeFolders(player);
    return true;
}

}  // namespace vz
