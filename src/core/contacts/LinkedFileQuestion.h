#pragma once

namespace quillet {

class ContactsFile;
class Prompter;

// Before a whole-file rewrite (deletion, import, the reminder switch) of a file
// with hard links: says that the other names would keep the old contents and asks,
// default No. True when the rewrite may go ahead; the file then allows it until
// the next call.
bool allowRewriteOfLinkedFile(ContactsFile& file, Prompter& prompter);

} // namespace quillet
