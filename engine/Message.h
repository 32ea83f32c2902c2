#pragma once

// What a front end shows the user when something stops a scan: a message box's text, title and
// icon. The engine only builds it.

#include "engine/TextCatalog.h"

#include <string>

namespace ravelin {

enum class MessageIcon { None, Information, Exclamation, Critical };

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
};

struct FolderListed;

// Why a folder ended the scan: it has no matching files, or it could not be listed.
Message FolderMessage(const FolderListed& event, const TextCatalog& texts);

}  // namespace ravelin
