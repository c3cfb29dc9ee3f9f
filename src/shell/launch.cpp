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
    bool options = true;  // until "--", after which every argument is an operand
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (options && a == "--") {
            options = false;
        } else if (!options) {
            return refuse("unexpected argument '" + a + "'");
        } else if (a == "--help" || a == "-h") {
            cl.action = LaunchAction::Help;
        } else if (a == "--version") {
            if (cl.action != LaunchAction::Help) cl.action = LaunchAction::Version;
        } else if (a == "--window") {
            cl.fullscreen = false;
        } else if (a == "--fullscreen") {
            cl.fullscreen = true;
        } else if (a == "--mute") {
            cl.mute = true;
        } else if (a == "--scale" || a.rfind("--scale=", 0) == 0) {
            const std::string how = a == "--scale" ? (i + 1 < args.size() ? args[++i] : "") : a.substr(8);
            if (how == "fit")
                cl.scale = ScaleMode::Fit;
            else if (how == "whole")
                cl.scale = ScaleMode::Whole;
            else
                return refuse("--scale takes fit or whole");
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

const std::vector<std::string>& GamePictureNames() {
    static const std::vector<std::string> names = {
        "startscreen2.sbf", "button_start_0.sbf", "button_start_1.sbf", "button_load_0.sbf",  // the title
        "button_load_1.sbf", "button_quit_0.sbf", "button_quit_1.sbf",
        "inventar_en.sbf", "save_button.sbf", "button_back.sbf",  // the inventory panel
        "reden.sbf", "text.sbf", "text1.sbf", "last.sbf", "icon.sbf",
    };
    return names;
}

std::string UsageText() {
    return "Usage: vudizid [OPTION]...\n"
           "Vudizid Ozazi: a point-and-click adventure of a castaway on a tropical island.\n"
           "\n"
           "  --window       play in a window\n"
           "  --fullscreen   play on the whole screen\n"
           "  --scale fit    make the picture as large as the screen allows\n"
           "  --scale whole  grow the picture by a whole number only, every pixel the same size\n"
           "  --data DIR     read the pictures from DIR instead of looking for them\n"
           "  --mute         start without sound (M brings it back)\n"
           "  --help         show this help and end\n"
           "  --version      show the version and end\n"
           "  --             end the options\n"
           "\n"
           "Without --data the pictures are looked for in images/ in the working directory, then in\n"
           "images/ next to the program, then in the installed copy. Without --window or --fullscreen,\n"
           "and --scale, the game starts as it was left last time (the whole screen at first).\n"
           "Alt+Enter or F11 switches between a window and the whole screen while playing, F10\n"
           "between the two scales. M mutes and unmutes the sound, - and + lower and raise its volume.\n"
           "On a touch screen a tap acts, a long press or a tap of two fingers changes the verb, and\n"
           "buttons in the top right corner do the rest.\n"
           "The sounds are read from sounds/ beside the pictures' folder.\n"
           "H gives a hint, T lets texts stay longer. The keyboard alone plays too: Tab and Shift+Tab\n"
           "step between the things that answer a click, the arrows move the pointer, Enter acts,\n"
           "Backspace is the right button and I opens the inventory.\n";
}

std::string NoDisplayText() {
    return "no display could be opened, so the game cannot show its window. Vudizid Ozazi needs a graphical "
           "desktop: start it from one (its menu entry, or a terminal inside it), or name a running display "
           "with DISPLAY (X11, for example DISPLAY=:0 vudizid) or WAYLAND_DISPLAY (Wayland).";
}

bool PlaceRunFiles(const std::string& dataFolder, const std::string& installedPictures, FilePlaces& places,
                   std::string& notice) {
    const FoundPictures found =
        FindPictures({dataFolder, WorkingFolder(), ProgramFolder(), installedPictures, GamePictureNames()});
    if (found.folder.empty()) {
        notice = "The game's pictures were not found; the game cannot start. Looked in:";
        for (size_t i = 0; i < found.tried.size(); ++i) notice += "\n  " + found.tried[i] + " (" + found.why[i] + ")";
        if (dataFolder.empty()) notice += "\nName their folder with --data DIR.";
        return false;
    }
    const std::string player = DataFolder();
    places = PlaceFiles(found, player, FolderIsWritable(found.folder));
    places.sounds = FindSounds(found.folder, installedPictures);
    // The player's folder is made before it is needed, so the first save has a place to go; if it
    // cannot be made, saving tells so as for any folder that cannot be written.
    if (!player.empty() && places.save == player + "/" + kSaveFileName) MakeFolders(player);
    return true;
}

}  // namespace vz
