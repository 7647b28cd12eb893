#include "scheduler/reminder_fields.h"

namespace tikkano {
namespace {

// Bytes that the settings file turns into something else when a stored
// message is read back: the escapes of line feed, carriage return, comma and
// semicolon.
constexpr std::string_view kTextEscapeBytes{"\x82\x84\x85\x86", 4};
// Path fields are stored with the comma and semicolon escapes.
constexpr std::string_view kPathEscapeBytes{"\x82\x84", 2};
// ... and the program may not hold the run separator either, or the split
// would come in the wrong place.
constexpr std::string_view kProgramEscapeBytes{"\x82\x83\x84", 3};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Every line break (CR LF, lone CR, lone LF) as CR LF, as an edit field shows one.
std::string withEditLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

FieldCheck fault(FieldFault f, EditField field, char character = 0, std::size_t limit = 0) {
    FieldCheck check;
    check.fault = f;
    check.field = field;
    check.character = character;
    check.limit = limit;
    return check;
}

FieldCheck checkPathField(const std::string& text, EditField field, std::string_view reserved,
                          std::size_t limit = std::string::npos) {
    const std::size_t at = text.find_first_of(reserved);
    if (at != std::string::npos) return fault(FieldFault::kReservedByte, field, text[at]);
    if (text.size() > limit) return fault(FieldFault::kTooLong, field, 0, limit);
    return {};
}

FieldCheck checkText(const std::string& text) {
    const std::size_t lineBreakCode = text.find_first_of("|\\");
    if (lineBreakCode != std::string::npos)
        return fault(FieldFault::kLineBreakCode, EditField::kText, text[lineBreakCode]);
    const std::size_t escape = text.find_first_of(kTextEscapeBytes);
    if (escape != std::string::npos) return fault(FieldFault::kReservedByte, EditField::kText, text[escape]);
    // Escaping changes bytes, never their number.
    if (text.size() > kTextFieldLimit) return fault(FieldFault::kTooLong, EditField::kText, 0, kTextFieldLimit);
    return {};
}

FieldCheck checkRun(const ReminderFields& fields, const ReminderFields& shown) {
    if (FieldCheck c = checkPathField(fields.program, EditField::kProgram, kProgramEscapeBytes)) return c;
    if (FieldCheck c = checkPathField(fields.parameters, EditField::kParameters, kPathEscapeBytes)) return c;
    if (fields.program.size() + fields.parameters.size() <= kRunPartsLimit) return {};
    const EditField changed = fields.program != shown.program ? EditField::kProgram : EditField::kParameters;
    return fault(FieldFault::kRunTooLong, changed, 0, kRunPartsLimit);
}

bool runChanged(const ReminderFields& fields, const ReminderFields& shown) {
    return fields.program != shown.program || fields.parameters != shown.parameters;
}

std::size_t leftOfRun(std::size_t used) { return used < kRunPartsLimit ? kRunPartsLimit - used : 1; }

bool isUsableNameChar(wchar_t c) {
    return c >= 0x20 && c != L'<' && c != L'>' && c != L'"' && c != L'|' && c != L'?' && c != L'*';
}

bool isUsableName(std::wstring_view name) {
    for (wchar_t c : name)
        if (!isUsableNameChar(c)) return false;
    return true;
}

}  // namespace

RunParts splitRun(std::string_view run) {
    const std::size_t at = run.find(kRunSeparator);
    if (at == std::string_view::npos) return {std::string(run), std::string()};
    return {std::string(run.substr(0, at)), std::string(run.substr(at + 1))};
}

std::string joinRun(std::string_view program, std::string_view parameters) {
    std::string run(program);
    run += kRunSeparator;
    run += parameters;
    return run;
}

bool readTimeNumber(std::string_view text, int highest, int& value) {
    text = trimmed(text);
    if (text.empty()) {
        value = 0;
        return true;
    }
    if (text.size() > kTimeFieldLimit) return false;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number > highest) return false;
    value = number;
    return true;
}

ReminderFields fieldsFromReminder(const Reminder& record) {
    ReminderFields fields;
    fields.hour = std::to_string(record.hour);
    fields.minute = std::to_string(record.minute);
    fields.text = withEditLineBreaks(unescapeText(record.text));
    fields.sound = record.sound;
    RunParts run = splitRun(record.run);
    fields.program = std::move(run.program);
    fields.parameters = std::move(run.parameters);
    return fields;
}

FieldCheck checkFields(const ReminderFields& fields, const Reminder& stored) {
    const ReminderFields shown = fieldsFromReminder(stored);
    int number = 0;
    if (!readTimeNumber(fields.hour, 23, number)) return fault(FieldFault::kNotAnHour, EditField::kHour);
    if (!readTimeNumber(fields.minute, 59, number)) return fault(FieldFault::kNotAMinute, EditField::kMinute);
    if (fields.sound != shown.sound)
        if (FieldCheck c = checkPathField(fields.sound, EditField::kSound, kPathEscapeBytes, kSoundFieldLimit)) return c;
    if (fields.text != shown.text)
        if (FieldCheck c = checkText(fields.text)) return c;
    if (runChanged(fields, shown)) return checkRun(fields, shown);
    return {};
}

Reminder reminderFromFields(const ReminderFields& fields, const Reminder& stored) {
    const ReminderFields shown = fieldsFromReminder(stored);
    Reminder record;
    readTimeNumber(fields.hour, 23, record.hour);
    readTimeNumber(fields.minute, 59, record.minute);
    record.text = fields.text == shown.text ? stored.text : escapeText(fields.text);
    record.sound = fields.sound == shown.sound ? stored.sound : fields.sound;
    const bool keepRun = !runChanged(fields, shown) && stored.run.find(kRunSeparator) != std::string::npos;
    record.run = keepRun ? stored.run : joinRun(fields.program, fields.parameters);
    return record;
}

std::size_t typingLimit(const ReminderFields& now, EditField field) {
    switch (field) {
        case EditField::kHour:
        case EditField::kMinute: return kTimeFieldLimit;
        case EditField::kSound: return kSoundFieldLimit;
        case EditField::kText: return kTextFieldLimit;
        case EditField::kProgram: return leftOfRun(now.parameters.size());
        case EditField::kParameters: break;
    }
    return leftOfRun(now.program.size());
}

ChooserStart chooserStart(const std::wstring& field, std::size_t bufferSize) {
    if (field.size() < bufferSize && isUsableName(field)) return {field, std::wstring()};
    ChooserStart start;
    const std::size_t slash = field.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return start;
    std::wstring folder = field.substr(0, slash);
    // "C:" alone names the drive's current folder; the root is meant.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    if (folder.size() < bufferSize && isUsableName(folder)) start.folder = std::move(folder);
    return start;
}

}  // namespace tikkano
