#pragma once

#include <map>
#include <memory>
#include <set>
#include <optional>
#include <string>

#include "app/icon_worker.h"
#include "core/dpi_scale.h"
#include "core/item_record.h"
#include "ui/com.h"
#include "ui/handles.h"

// What the shell knows of items: whether their targets exist, their icons, special
// folders, and the program that opens web pages.
namespace zarkit {

// The file system's attributes of `path` at any length; INVALID_FILE_ATTRIBUTES when it
// cannot be read.
DWORD FileAttributesOf(const std::string& path);

bool PathExists(const std::string& path);

// The short (8.3) form of an existing path, at any length; the path itself when it has
// none. The shell takes no path of kLongPathLength or more, but the short form of one
// mostly fits.
std::wstring ShortPathOf(const std::wstring& path);

// The identifier list of a shell special folder (a CSIDL); empty when the shell does
// not know it.
ui::IdList SpecialFolderIdList(int folder_id);

// A path of the shell's special folder (the system folder is 37); empty when unknown.
std::string SpecialFolderPath(int folder_id);

// The program the shell starts for `document` (the browser probe file for web pages),
// when it names one that exists.
std::optional<std::string> FindAssociatedProgram(const std::string& document);

// The path's icon in the system image list (the generic one of its kind when the shell
// has none of its own); nullopt when the path is gone. Any thread with COM.
std::optional<int> PathSystemIndex(const std::string& path);

// Where item icons come from: the shell's system image list, looked up once per path,
// special folder and web-page icon, since many items share a target or a file type.
// Every table's list shows its icons from one image list kept here, which holds each
// icon once however many items and tables show it.
class ShellIconCache {
public:
    explicit ShellIconCache(std::string probe_file) : probe_file_(std::move(probe_file)) {}

    // Icons for a monitor of that DPI: 32 x 32 at 96 DPI, from the shell's larger images
    // above it. Drops the image list: the lists must take the new one and their icons
    // again.
    void SetDpi(int dpi);

    // Where the record's icon is in Images(); nullopt as for SystemIconOf.
    std::optional<int> ImageOf(const ItemRecord& record);

    // From now on the icons of plain paths are asked for on a worker thread; `notify` is
    // sent `message` when answers are in, and TakeArrivedIcons takes them.
    void LookUpOnWorker(HWND notify, UINT message);
    // The paths whose answers came, each with its image in Images() (-1: the shell has none).
    std::map<std::string, int> TakeArrivedIcons();
    // Whether the worker has more answers to come.
    bool LookUpsPending() const { return worker_ && worker_->Busy(); }

    enum class IconState { kGone, kPending, kReady };
    struct Icon {
        IconState state = IconState::kGone;
        int image = -1;  // in Images(); -1 while pending, or when the shell has none
    };
    // As ImageOf, but a plain path whose icon is not known yet is pending rather than
    // asked for here (when a worker was started): whether its target is there is known
    // at once.
    Icon Lookup(const ItemRecord& record);
    // The lists' image list; the lists share it, this cache owns it.
    HIMAGELIST Images();

    // The record's icon in the system image list, by the record's kind: a special
    // folder through its identifier list, a path through its file, a web site the icon
    // the system gives web pages. nullopt when the shell has none (or the path is gone).
    std::optional<int> SystemIconOf(const ItemRecord& record);

private:
    static constexpr int kNoIcon = -1;

    // A copy of an icon of the shell's image list of the size in use.
    ui::IconHandle IconAt(int system_index);
    std::optional<int> PathIcon(const std::string& path);
    std::optional<int> ImageOfSystemIcon(int system_icon);
    // The image of an answer kept in by_path_: -1 for kNoIcon.
    int ImageOfCached(int system_icon);

    std::string probe_file_;
    std::map<std::string, int> by_path_;
    std::map<int, int> by_folder_;
    std::optional<int> web_page_;
    ListIconSize icon_size_ = ListIconSizeForDpi(kDefaultDpi);
    // The shell's image list of that size, held from the first icon until the size changes.
    ui::ComPtr<IUnknown> system_images_;
    ui::ImageList images_;
    std::map<int, int> image_of_system_icon_;
    std::unique_ptr<IconWorker> worker_;
    std::set<std::string> requested_;
};

}  // namespace zarkit
