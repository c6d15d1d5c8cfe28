#include "core/store.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/document_edit.h"
#include "core/file_stamp.h"
#include "core/item_order.h"
#include "core/text_rules.h"
#include "core/xml_prolog.h"
#include "core/xml_text.h"
#include "io/file_io.h"

namespace zarkit {
namespace {

// Two blanks between the pseudo-attributes: the data the store has always been made with.
constexpr char kDeclarationData[] = "version='1.0'  encoding='UTF-8'";
constexpr char kComment[] = "VELMOR SOFT Zarkit config file!";

struct FlagSetting {
    const char* name;
    bool Settings::*member;
};

// In the order the settings are read and written.
constexpr std::array<FlagSetting, 4> kFlagSettings{{
    {"Start_OnWindow", &Settings::Start_OnWindow},
    {"Show_TipOnStart", &Settings::Show_TipOnStart},
    {"Animate_WindowOnStart", &Settings::Animate_WindowOnStart},
    {"SelTable_MouseOn", &Settings::SelTable_MouseOn},
}};

constexpr char kTickCount[] = "Show_TickCount";
constexpr char kHotKey[] = "Hot_Key";
constexpr char kSortByName[] = "Sort_ByName";
constexpr char kDockScreen[] = "Dock_Screen";
constexpr char kDockSide[] = "Dock_Side";

XmlNode FileDesc(XmlDocument& document) {
    return document.SelectSingle(document.DocumentNode(), "File_Desc");
}

// The label of a Table_Node; nullopt for a hand-edited node without one.
std::optional<std::string> LabelOf(XmlDocument& document, const XmlNode& table) {
    const XmlNode label = document.SelectSingle(table, "Table_Lable");
    if (!label) {
        return std::nullopt;
    }
    return document.Text(label);
}

// A node without a label, or with an empty one, is never the table asked for.
bool IsWantedTable(const std::optional<std::string>& label, std::string_view wanted) {
    return label && !label->empty() && LabelMatches(*label, wanted);
}

constexpr std::size_t kNoTable = static_cast<std::size_t>(-1);

// Names are looked up as they were written (see XmlText).
std::size_t FindTableIndex(XmlDocument& document, const std::vector<XmlNode>& tables,
                           std::string_view name) {
    const std::string wanted = XmlText(name);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (IsWantedTable(LabelOf(document, tables[i]), wanted)) {
            return i;
        }
    }
    return kNoTable;
}

XmlNode FindTable(XmlDocument& document, std::string_view name) {
    if (name.empty()) {
        return {};
    }
    const XmlNode file_desc = FileDesc(document);
    if (!file_desc) {
        return {};
    }
    const std::vector<XmlNode> tables = document.SelectChildren(file_desc, "Table_Node");
    const std::size_t index = FindTableIndex(document, tables, name);
    return index == kNoTable ? XmlNode() : tables[index];
}

bool HasIdentifier(XmlDocument& document, const XmlNode& item, std::string_view identifier) {
    const std::optional<std::string> stored = document.Attribute(item, "Unique_Identifier");
    return stored && SameIdentifier(*stored, identifier);
}

// Every table whose label matches `name` (any case), in document order. Names are unique
// as the program writes them, but a hand edit can give two tables one name.
std::vector<XmlNode> FindTables(XmlDocument& document, std::string_view name) {
    std::vector<XmlNode> found;
    const XmlNode file_desc = FileDesc(document);
    if (name.empty() || !file_desc) {
        return found;
    }
    const std::string wanted = XmlText(name);
    for (const XmlNode& table : document.SelectChildren(file_desc, "Table_Node")) {
        if (IsWantedTable(LabelOf(document, table), wanted)) {
            found.push_back(table);
        }
    }
    return found;
}

// The first item of the table carrying the identifier (any case) and, when one is
// named, the attribute `required`; an empty node when there is none.
XmlNode FindItem(XmlDocument& document, const XmlNode& table, std::string_view identifier,
                 const char* required) {
    for (const XmlNode& item : document.SelectChildren(table, "Table_Item")) {
        if (HasIdentifier(document, item, identifier) &&
            (required == nullptr || document.Attribute(item, required))) {
            return item;
        }
    }
    return {};
}

// Unlike the settings, Is_VirtualFloder is read leniently: trimmed, in any case.
bool IsYesIgnoringCaseAndBlanks(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    return trimmed.size() == 3 && ToLower(trimmed) == "yes";
}

// Fills every member of `record` from the element. The record is reused from item to
// item, so its strings keep their storage: loading allocates next to nothing.
void ReadItem(XmlDocument& document, const XmlNode& item, ItemRecord& record,
              std::string& scratch) {
    document.ReadText(item, &record.path);
    // One pass over the element's attributes rather than a lookup per name.
    XmlAttributeRead reads[] = {
        {"Nick_Name", &record.display_name},    {"Work_Dir", &record.work_dir},
        {"Start_Params", &record.start_params}, {"Unique_Identifier", &record.identifier},
        {"Is_VirtualFloder", &scratch},
    };
    document.ReadAttributes(item, reads);
    const bool special_folder = reads[4].found && IsYesIgnoringCaseAndBlanks(scratch);
    record.special_folder = special_folder ? 1 : 0;
    record.folder_id = special_folder ? ParseLeadingInt(record.path) : 0;
}

// The first of `identifiers` carrying `identifier` (any case), or kNoItem.
constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);
std::size_t FindIdentifier(const std::vector<std::string>& identifiers,
                           std::string_view identifier) {
    for (std::size_t i = 0; i < identifiers.size(); ++i) {
        if (SameIdentifier(identifiers[i], identifier)) {
            return i;
        }
    }
    return kNoItem;
}

// What a move did to one parent's children.
enum class MoveOutcome {
    kMissing,  // what it names is not there: nothing changed
    kInPlace,  // they stand there already
    kMoved,
    kFailed,  // the document refused half-way: the whole change is to be given up
};

// The siblings at `moving` (positions in `siblings`, children of `parent`) go just before
// the one at `before`, or after the last of them for siblings.size(): then before whatever
// follows it, so that what comes after the tables (newer settings) stays there.
MoveOutcome MoveSiblings(DocumentEdit& edit, const XmlNode& parent,
                         const std::vector<XmlNode>& siblings, std::vector<std::size_t> moving,
                         std::size_t before) {
    const std::optional<OrderMove> move = MoveInOrder(siblings.size(), moving, before);
    if (!move) {
        return MoveOutcome::kInPlace;
    }
    const XmlNode anchor =
        move->anchor ? siblings[*move->anchor] : edit.Document().NextSibling(siblings.back());
    std::sort(moving.begin(), moving.end());
    moving.erase(std::unique(moving.begin(), moving.end()), moving.end());
    for (const std::size_t position : moving) {
        if (!edit.MoveBefore(parent, siblings[position], anchor)) {
            return MoveOutcome::kFailed;
        }
    }
    return MoveOutcome::kMoved;
}

// The items of `identifiers` before the item `before` (empty: after the last) in one table.
MoveOutcome MoveItemsInTable(DocumentEdit& edit, const XmlNode& table,
                             const std::vector<std::string>& identifiers, std::string_view before) {
    XmlDocument& document = edit.Document();
    const std::vector<XmlNode> items = document.SelectChildren(table, "Table_Item");
    std::vector<std::string> stored;
    stored.reserve(items.size());
    for (const XmlNode& item : items) {
        stored.push_back(document.Attribute(item, "Unique_Identifier").value_or(std::string()));
    }
    std::vector<std::size_t> moving;
    for (const std::string& identifier : identifiers) {
        const std::size_t position = FindIdentifier(stored, identifier);
        if (identifier.empty() || position == kNoItem) {
            return MoveOutcome::kMissing;
        }
        moving.push_back(position);
    }
    std::size_t anchor = items.size();
    if (!before.empty()) {
        anchor = FindIdentifier(stored, before);
        if (anchor == kNoItem || std::find(moving.begin(), moving.end(), anchor) != moving.end()) {
            return MoveOutcome::kMissing;
        }
    }
    return MoveSiblings(edit, table, items, std::move(moving), anchor);
}

// What a change that moved things reports to Commit.
StoreResult MoveResult(MoveOutcome outcome) {
    switch (outcome) {
        case MoveOutcome::kMoved:
            return StoreResult::kDone;
        case MoveOutcome::kInPlace:
            return StoreResult::kUnchanged;
        case MoveOutcome::kMissing:
        case MoveOutcome::kFailed:
            break;
    }
    return StoreResult::kNotFound;
}

// Sets a setting's text, creating the element at the end of File_Desc when it is missing.
bool WriteSetting(DocumentEdit& edit, const XmlNode& file_desc, const char* name,
                  std::string_view value) {
    XmlDocument& document = edit.Document();
    if (const XmlNode element = document.SelectSingle(file_desc, name)) {
        return document.Text(element) == value || edit.SetText(element, value);
    }
    const XmlNode element = document.CreateElement(name);
    return element && document.SetText(element, value) && edit.Append(file_desc, element);
}

}  // namespace

Store::Store(XmlDocumentFactory factory, GuidSource guids)
    : factory_(std::move(factory)), guids_(std::move(guids)) {}

bool Store::CreateDefaultStore(const XmlDocumentFactory& factory, const std::string& path,
                               io::FileError* error) {
    const std::unique_ptr<XmlDocument> document = factory ? factory() : nullptr;
    if (!document) {
        return false;
    }
    const XmlNode top = document->DocumentNode();
    if (const XmlNode declaration = document->CreateDeclaration(kDeclarationData)) {
        document->AppendChild(top, declaration);
    }
    if (const XmlNode comment = document->CreateComment(kComment)) {
        document->AppendChild(top, comment);
    }
    const XmlNode file_desc = document->CreateElement("File_Desc");
    if (!file_desc) {
        return false;
    }
    const std::pair<const char*, const char*> defaults[] = {
        {"Start_OnWindow", "yes"},        {kTickCount, "450"},        {"Show_TipOnStart", "yes"},
        {"Animate_WindowOnStart", "yes"}, {"SelTable_MouseOn", "no"}, {kHotKey, kDefaultHotKey},
    };
    DocumentEdit edit(*document);
    for (const auto& [name, value] : defaults) {
        if (!WriteSetting(edit, file_desc, name, value)) {
            return false;
        }
    }
    if (!document->AppendChild(top, file_desc)) {
        return false;
    }
    const std::optional<std::string> bytes = document->Serialize();
    io::FileError ignored;
    // Whatever is there already, even a file that could not be looked at, stays.
    return bytes && io::CreateFileContent(path, *bytes, error != nullptr ? error : &ignored);
}

bool Store::Open(const std::string& path, std::string* error) {
    return Open(path, factory_ ? factory_() : nullptr, error);
}

bool Store::Open(const std::string& path, std::unique_ptr<XmlDocument> document,
                 std::string* error) {
    // Whatever was open before is gone, so that a failed open can never be saved over
    // the file it could not read.
    document_.reset();
    path_.clear();
    stamp_ = {};
    last_error_ = {};
    std::string bytes;
    io::FileInfo info;
    // Looked at before reading: a change in between then shows as one at the next check.
    io::ReadFileInfo(path, &info, nullptr);
    if (!io::ReadFileBytes(path, &bytes, &last_error_)) {
        if (error) {
            *error = last_error_.text;  // names the file already
        }
        return false;
    }
    std::string reason;
    if (!document) {
        reason = "no XML document object could be created";
    } else {
        ParseStore(bytes, *document, &reason);
    }
    if (!reason.empty()) {
        if (error) {
            *error = path + ": " + reason;
        }
        return false;
    }
    document_ = std::move(document);
    path_ = path;
    stamp_ = StampOf(info, bytes);
    return true;
}

bool Store::ParseStore(std::string_view bytes, XmlDocument& document, std::string* reason) {
    if (bytes.empty()) {
        *reason = "the file is empty";
        return false;
    }
    if (HasDocumentTypeDeclaration(bytes)) {
        *reason = "documents with a document type declaration are not accepted";
        return false;
    }
    XmlParseError parse_error;
    if (!document.Parse(bytes, &parse_error)) {
        std::string where;
        if (parse_error.line > 0) {
            where = "line " + std::to_string(parse_error.line);
            if (parse_error.column > 0) {
                where += ", column " + std::to_string(parse_error.column);
            }
            where += ": ";
        }
        *reason = where + (parse_error.reason.empty() ? "not well-formed XML" : parse_error.reason);
        return false;
    }
    return true;
}

Store::DiskState Store::CheckDisk(bool thorough) {
    if (!document_ || path_.empty()) {
        return DiskState::kAsKnown;
    }
    io::FileInfo info;
    if (!io::ReadFileInfo(path_, &info, nullptr)) {
        return DiskState::kAsKnown;  // cannot tell; a save will say what is wrong
    }
    const StampVerdict verdict = CompareStamp(stamp_, info);
    if (verdict == StampVerdict::kGone) {
        return DiskState::kGone;
    }
    if (verdict == StampVerdict::kSameLooks && !thorough) {
        return DiskState::kAsKnown;
    }
    std::string bytes;
    if (!io::ReadFileBytes(path_, &bytes, nullptr)) {
        // Looks as written, only not readable now: the save will tell why. Looks changed
        // and cannot be read: it must not be written over.
        return verdict == StampVerdict::kSameLooks ? DiskState::kAsKnown : DiskState::kUnreadable;
    }
    const FileStamp now = StampOf(info, bytes);
    if (now.hash == stamp_.hash && now.size == stamp_.size) {
        stamp_ = now;  // only touched
        return DiskState::kAsKnown;
    }
    std::unique_ptr<XmlDocument> document = factory_ ? factory_() : nullptr;
    std::string reason;
    if (!document || !ParseStore(bytes, *document, &reason)) {
        return DiskState::kUnreadable;
    }
    document_ = std::move(document);
    stamp_ = now;
    if (reloaded_listener_) {
        reloaded_listener_();
    }
    return DiskState::kReloaded;
}

Store::DiskState Store::ReloadIfChanged() {
    return CheckDisk(false);
}

void Store::LoadAllTables(TableLoadSink& sink) {
    if (!document_) {
        return;
    }
    XmlDocument& document = *document_;
    const XmlNode file_desc = FileDesc(document);
    if (!file_desc) {
        return;
    }
    ItemRecord record;
    std::string scratch;
    for (const XmlNode& table : document.SelectChildren(file_desc, "Table_Node")) {
        // A node without a name could be neither found nor removed: it stays in the file
        // as it is, but is not shown.
        const std::optional<std::string> label = LabelOf(document, table);
        if (!label || label->empty()) {
            continue;
        }
        if (!sink.BeginTable(*label)) {
            return;
        }
        for (const XmlNode& item : document.SelectChildren(table, "Table_Item")) {
            ReadItem(document, item, record, scratch);
            // Items are found by identifier, so one made now must reach the element too,
            // or the item could never be renamed or deleted.
            if (record.identifier.empty()) {
                if (std::optional<std::string> identifier = MakeItemIdentifier(guids_)) {
                    if (document.SetAttribute(item, "Unique_Identifier", *identifier)) {
                        record.identifier = std::move(*identifier);
                    }
                }
            }
            sink.InsertItemRecord(record);
        }
        sink.EndTable();
    }
}

void Store::ReadSettings(Settings& settings) {
    if (!document_) {
        return;
    }
    XmlDocument& document = *document_;
    const XmlNode file_desc = FileDesc(document);
    if (!file_desc) {
        settings.Show_TickCount = kDefaultShowTickCount;
        settings.Hot_Key = kDefaultHotKey;
        settings.Sort_ByName = true;
        settings.Dock_Screen.reset();
        settings.Dock_Side.reset();
        return;
    }
    for (const FlagSetting& flag : kFlagSettings) {
        if (const XmlNode element = document.SelectSingle(file_desc, flag.name)) {
            settings.*flag.member = ParseSettingFlag(document.Text(element));
        }
    }
    const XmlNode tick_count = document.SelectSingle(file_desc, kTickCount);
    settings.Show_TickCount =
        tick_count ? ParseShowTickCount(document.Text(tick_count)) : kDefaultShowTickCount;
    // Stores written before the hot key existed have none: they get the default.
    const XmlNode hot_key = document.SelectSingle(file_desc, kHotKey);
    settings.Hot_Key = hot_key ? document.Text(hot_key) : kDefaultHotKey;
    // Lists were always sorted before the setting existed.
    const XmlNode sort_by_name = document.SelectSingle(file_desc, kSortByName);
    settings.Sort_ByName = !sort_by_name || ParseSettingFlag(document.Text(sort_by_name));
    // Kept as stored: a screen not connected now is still the one wanted.
    const XmlNode dock_screen = document.SelectSingle(file_desc, kDockScreen);
    settings.Dock_Screen =
        dock_screen ? std::optional<std::string>(document.Text(dock_screen)) : std::nullopt;
    const XmlNode dock_side = document.SelectSingle(file_desc, kDockSide);
    settings.Dock_Side = dock_side ? ParseDockSide(document.Text(dock_side)) : std::nullopt;
}

bool Store::WriteSettings(const Settings& settings) {
    bool written = true;
    const StoreResult result = Commit([&](DocumentEdit& edit) {
        XmlDocument& document = edit.Document();
        const XmlNode file_desc = FileDesc(document);
        if (!file_desc) {
            written = false;
            return StoreResult::kNotFound;
        }
        for (const FlagSetting& flag : kFlagSettings) {
            written &=
                WriteSetting(edit, file_desc, flag.name, FormatSettingFlag(settings.*flag.member));
        }
        // The program's own newer settings first: a missing Show_TickCount must become the
        // last child of File_Desc, where older programs look for it.
        written &= WriteSetting(edit, file_desc, kHotKey, XmlText(settings.Hot_Key));
        if (settings.Dock_Screen) {
            written &= WriteSetting(edit, file_desc, kDockScreen, XmlText(*settings.Dock_Screen));
        }
        if (settings.Dock_Side) {
            written &=
                WriteSetting(edit, file_desc, kDockSide, FormatDockSide(*settings.Dock_Side));
        }
        written &=
            WriteSetting(edit, file_desc, kSortByName, FormatSettingFlag(settings.Sort_ByName));
        written &=
            WriteSetting(edit, file_desc, kTickCount, std::to_string(settings.Show_TickCount));
        // Saved even after a partial failure: what did change belongs in the file.
        return StoreResult::kDone;
    });
    // Nothing to change is as good as saved: the file holds these settings.
    return written && (result == StoreResult::kDone || result == StoreResult::kUnchanged);
}

StoreResult Store::AddTable(std::string_view wanted_name) {
    // Every text goes into the document as XML can hold it, or the file could not be read
    // back; lookups clean the names they are given in the same way.
    const std::string name = XmlText(wanted_name);
    if (name.empty()) {
        return StoreResult::kNotFound;
    }
    return Commit([&](DocumentEdit& edit) {
        XmlDocument& document = edit.Document();
        const XmlNode file_desc = FileDesc(document);
        if (!file_desc) {
            return StoreResult::kNotFound;
        }
        for (const XmlNode& table : document.SelectChildren(file_desc, "Table_Node")) {
            const std::optional<std::string> label = LabelOf(document, table);
            if (label && SameTableName(*label, name)) {
                return StoreResult::kNameTaken;
            }
        }
        const XmlNode table = document.CreateElement("Table_Node");
        const XmlNode label = document.CreateElement("Table_Lable");
        if (!table || !label || !document.SetText(label, name) ||
            !document.AppendChild(table, label) || !edit.Append(file_desc, table)) {
            return StoreResult::kNotFound;
        }
        return StoreResult::kDone;
    });
}

StoreResult Store::DeleteTable(std::string_view name) {
    return Commit([&](DocumentEdit& edit) {
        XmlDocument& document = edit.Document();
        const XmlNode file_desc = FileDesc(document);
        const XmlNode table = FindTable(document, name);
        if (!table || !edit.RemoveChild(file_desc, table)) {
            return StoreResult::kNotFound;
        }
        return StoreResult::kDone;
    });
}

StoreResult Store::RenameTable(std::string_view old_name, std::string_view wanted_name) {
    const std::string new_name = XmlText(wanted_name);
    if (old_name.empty() || new_name.empty()) {
        return StoreResult::kNotFound;
    }
    return Commit([&](DocumentEdit& edit) {
        XmlDocument& document = edit.Document();
        const XmlNode file_desc = FileDesc(document);
        if (!file_desc) {
            return StoreResult::kNotFound;
        }
        const std::vector<XmlNode> tables = document.SelectChildren(file_desc, "Table_Node");
        const std::size_t index = FindTableIndex(document, tables, old_name);
        if (index == kNoTable) {
            return StoreResult::kNotFound;
        }
        // Two tables of one name would send every later change to the first of them.
        for (std::size_t i = 0; i < tables.size(); ++i) {
            const std::optional<std::string> label = LabelOf(document, tables[i]);
            if (i != index && label && SameTableName(*label, new_name)) {
                return StoreResult::kNameTaken;
            }
        }
        const XmlNode label = document.SelectSingle(tables[index], "Table_Lable");
        if (!edit.SetText(label, new_name)) {
            return StoreResult::kNotFound;
        }
        return StoreResult::kDone;
    });
}

bool Store::AddItem(std::string_view table_name, const ItemRecord& record) {
    const std::string path = XmlText(record.path);
    if (path.empty()) {
        return false;
    }
    return Commit([&](DocumentEdit& edit) {
               XmlDocument& document = edit.Document();
               const XmlNode table = FindTable(document, table_name);
               if (!table) {
                   return StoreResult::kNotFound;
               }
               // Filled before it is appended, so a failure leaves the table as it was.
               const XmlNode item = document.CreateElement("Table_Item");
               if (!item || !document.SetText(item, path) ||
                   !document.SetAttribute(item, "Nick_Name", XmlText(record.display_name)) ||
                   !document.SetAttribute(item, "Work_Dir", XmlText(record.work_dir)) ||
                   !document.SetAttribute(item, "Start_Params", XmlText(record.start_params)) ||
                   !document.SetAttribute(item, "Unique_Identifier", XmlText(record.identifier)) ||
                   !document.SetAttribute(item, "Is_VirtualFloder",
                                          FormatSettingFlag(record.special_folder != 0)) ||
                   !edit.Append(table, item)) {
                   return StoreResult::kNotFound;
               }
               return StoreResult::kDone;
           }) == StoreResult::kDone;
}

bool Store::DeleteItem(std::string_view table_name, const ItemRecord& record) {
    const std::string identifier = XmlText(record.identifier);
    if (table_name.empty() || record.path.empty() || identifier.empty()) {
        return false;
    }
    // In each table of that name; saved once, so that the backup holds the state before.
    return Commit([&](DocumentEdit& edit) {
               bool changed = false;
               for (const XmlNode& table : FindTables(edit.Document(), table_name)) {
                   const XmlNode item = FindItem(edit.Document(), table, identifier, nullptr);
                   changed |= item && edit.RemoveChild(table, item);
               }
               return changed ? StoreResult::kDone : StoreResult::kNotFound;
           }) == StoreResult::kDone;
}

bool Store::RenameItem(std::string_view table_name, const ItemRecord& record) {
    const std::string identifier = XmlText(record.identifier);
    if (identifier.empty()) {
        return false;
    }
    // An item without Nick_Name is passed over: only the name may change on a rename.
    return Commit([&](DocumentEdit& edit) {
               bool changed = false;
               for (const XmlNode& table : FindTables(edit.Document(), table_name)) {
                   const XmlNode item = FindItem(edit.Document(), table, identifier, "Nick_Name");
                   changed |=
                       item && edit.SetAttribute(item, "Nick_Name", XmlText(record.display_name));
               }
               return changed ? StoreResult::kDone : StoreResult::kNotFound;
           }) == StoreResult::kDone;
}

StoreResult Store::MoveTable(std::string_view name, std::string_view before) {
    if (name.empty()) {
        return StoreResult::kNotFound;
    }
    return Commit([&](DocumentEdit& edit) {
        XmlDocument& document = edit.Document();
        const XmlNode file_desc = FileDesc(document);
        if (!file_desc) {
            return StoreResult::kNotFound;
        }
        const std::vector<XmlNode> tables = document.SelectChildren(file_desc, "Table_Node");
        const std::size_t moving = FindTableIndex(document, tables, name);
        const std::size_t anchor =
            before.empty() ? tables.size() : FindTableIndex(document, tables, before);
        if (moving == kNoTable || anchor == kNoTable || anchor == moving) {
            return StoreResult::kNotFound;
        }
        return MoveResult(MoveSiblings(edit, file_desc, tables, {moving}, anchor));
    });
}

StoreResult Store::MoveItems(std::string_view table_name,
                             const std::vector<std::string>& wanted_identifiers,
                             std::string_view wanted_before) {
    std::vector<std::string> identifiers;
    for (const std::string& identifier : wanted_identifiers) {
        identifiers.push_back(XmlText(identifier));
    }
    const std::string before = XmlText(wanted_before);
    if (identifiers.empty()) {
        return StoreResult::kNotFound;
    }
    // In each table of that name that holds them all, as the other item changes do.
    return Commit([&](DocumentEdit& edit) {
        MoveOutcome outcome = MoveOutcome::kMissing;
        for (const XmlNode& table : FindTables(edit.Document(), table_name)) {
            switch (MoveItemsInTable(edit, table, identifiers, before)) {
                case MoveOutcome::kFailed:
                    return StoreResult::kNotFound;
                case MoveOutcome::kMoved:
                    outcome = MoveOutcome::kMoved;
                    break;
                case MoveOutcome::kInPlace:
                    if (outcome == MoveOutcome::kMissing) {
                        outcome = MoveOutcome::kInPlace;
                    }
                    break;
                case MoveOutcome::kMissing:
                    break;
            }
        }
        return MoveResult(outcome);
    });
}

StoreResult Store::Commit(const std::function<StoreResult(DocumentEdit&)>& change) {
    last_error_ = {};
    if (!document_) {
        return StoreResult::kNotFound;
    }
    // Another writer's file is never written over: a change goes onto what it holds now.
    // A file that is gone is written anew, as at the first save.
    if (CheckDisk(true) == DiskState::kUnreadable) {
        last_error_ = {io::FileProblem::kChangedElsewhere,
                       path_ + " was changed by another program and cannot be read now"};
        return StoreResult::kSaveFailed;
    }
    DocumentEdit edit(*document_);
    const StoreResult result = change(edit);
    if (!edit.Changed()) {
        return result == StoreResult::kDone ? StoreResult::kUnchanged : result;
    }
    if (result != StoreResult::kDone) {
        edit.Undo();  // half made: none of it stays
        return result;
    }
    if (!Save()) {
        edit.Undo();
        return StoreResult::kSaveFailed;
    }
    return StoreResult::kDone;
}

bool Store::Save() {
    last_error_ = {};
    if (!document_ || path_.empty()) {
        last_error_ = {io::FileProblem::kOther, "the store is not open"};
        return false;
    }
    const std::optional<std::string> bytes = document_->Serialize();
    if (!bytes) {
        last_error_ = {io::FileProblem::kOther, "the document could not be written out"};
        return false;
    }
    // The file replaced is kept as the backup: after another writer's change, that is
    // their version.
    if (!io::ReplaceFileContentKeepingBackup(path_, *bytes, BackupPathOf(path_), &last_error_)) {
        return false;
    }
    io::FileInfo info;
    io::ReadFileInfo(path_, &info, nullptr);
    stamp_ = StampOf(info, *bytes);
    return true;
}

std::string Store::BackupPathOf(const std::string& path) {
    return path + ".bak";
}

std::string Store::DamagedPathOf(const std::string& path) {
    return path + ".damaged";
}

void Store::RemoveLeftoverFiles(const std::string& path) {
    for (const std::string& written : {path, BackupPathOf(path), DamagedPathOf(path)}) {
        io::RemoveTemporaryFiles(written);
    }
}

bool Store::BackupLoads(const XmlDocumentFactory& factory, const std::string& path) {
    Store backup(factory, [] { return std::optional<Guid>(); });
    return backup.Open(BackupPathOf(path), nullptr);
}

bool Store::RestoreBackup(const std::string& path, io::FileError* error) {
    // Copies, not renames: at every moment the store file is there, whole, so a crash on
    // the way can never leave a start-up that takes the store for missing and begins anew.
    std::string damaged;
    std::string backup;
    return io::ReadFileBytes(path, &damaged, error) &&
           io::ReadFileBytes(BackupPathOf(path), &backup, error) &&
           io::ReplaceFileContent(DamagedPathOf(path), damaged, error) &&
           io::ReplaceFileContent(path, backup, error);
}

}  // namespace zarkit
