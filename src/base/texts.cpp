#include "base/texts.h"

namespace tikkano {
namespace {

constexpr TextPair kTexts[kTextCount] = {
    // System menu
    {"Часы...", "Clock..."},
    {"Календарь", "Calendar"},
    {"Об Авторе...", "About..."},
    {"Всегда наверху", "Always on Top"},
    {"Свернуть", "Minimize"},
    {"Восстановить", "Restore"},
    {"Русский", "Русский"},
    {"English", "English"},

    // Reminder message box
    {"Вы просили напомнить...", "Вы просили напомнить..."},

    // Calendar
    {"Календарь", "Calendar"},
    {"Месяц <", "Month <"},
    {"Месяц >", "Month >"},
    {"Год <", "Year <"},
    {"Год >", "Year >"},
    {"День", "Day"},
    {"%s ( %s %d )", "%s ( %s %d )"},
    {"Будильник", "Будильник"},
    {"Не выбран день!\nВыберите день с помощью правой кнопки мыши!",
     "Не выбран день!\nВыберите день с помощью правой кнопки мыши!"},
    {"Вс", "Sun"},
    {"Пн", "Mon"},
    {"Вт", "Tue"},
    {"Ср", "Wed"},
    {"Чт", "Thu"},
    {"Пт", "Fri"},
    {"Сб", "Sat"},
    {"Январь", "January"},
    {"Февраль", "February"},
    {"Март", "March"},
    {"Апрель", "April"},
    {"Май", "May"},
    {"Июнь", "June"},
    {"Июль", "July"},
    {"Август", "August"},
    {"Сентябрь", "September"},
    {"Октябрь", "October"},
    {"Ноябрь", "November"},
    {"Декабрь", "December"},

    // Reminder list
    {"Будильник ( %d %s %dг., %s)", "Будильник ( %d %s %dг., %s)"},
    {"Будильник на %s", "Будильник на %s"},
    {"Будильник на каждый день", "Будильник на каждый день"},
    {"Будильник на %d день любого месяца", "Будильник на %d день любого месяца"},
    {"Будильник на %d %s любого года", "Будильник на %d %s любого года"},
    {"Удалить?", "Удалить?"},
    {"Строка планировщика", "Строка планировщика"},
    {"Эта группа напоминаний длиннее, чем программа может прочитать целиком (1 МБ).\n"
     "Её можно изменить только в файле Horvik32.ini.",
     "Эта группа напоминаний длиннее, чем программа может прочитать целиком (1 МБ).\n"
     "Её можно изменить только в файле Horvik32.ini."},
    {"Напоминания не записаны: в файл Horvik32.ini нельзя записать (его держит другая программа, "
     "папка закрыта для записи или диск полон).\nОсвободите файл и нажмите OK ещё раз или нажмите Отмена.",
     "The reminders were not saved: Horvik32.ini cannot be written (another program holds it, "
     "its folder cannot be written to, or the disk is full).\nFree the file and press OK again, or press Cancel."},
    {"Файл Horvik32.ini сейчас нельзя прочитать (его держит другая программа). "
     "Список не открыт: его OK записал бы пустой список поверх напоминаний в файле.",
     "Horvik32.ini cannot be read now (another program holds it). "
     "The list is not opened: its OK would write an empty list over the reminders in the file."},
    {"января", "января"},
    {"февраля", "февраля"},
    {"марта", "марта"},
    {"апреля", "апреля"},
    {"мая", "мая"},
    {"июня", "июня"},
    {"июля", "июля"},
    {"августа", "августа"},
    {"сентября", "сентября"},
    {"октября", "октября"},
    {"ноября", "ноября"},
    {"декабря", "декабря"},

    // Reminder edit
    {"Звук", "Звук"},
    {"Запуск программы", "Запуск программы"},
    {"Будильник, установка", "Будильник, установка"},
    {"Час - число от 0 до 23.", "Час - число от 0 до 23."},
    {"Минуты - число от 0 до 59.", "Минуты - число от 0 до 59."},
    {"Знак «%s» в тексте напоминания означает перевод строки: так его прочтёт любая версия часов.\n"
     "Уберите его. Новая строка - Ctrl+Enter.",
     "Знак «%s» в тексте напоминания означает перевод строки: так его прочтёт любая версия часов.\n"
     "Уберите его. Новая строка - Ctrl+Enter."},
    {"Знак «%s» в этом поле не сохранится в файле напоминаний. Уберите его.",
     "Знак «%s» в этом поле не сохранится в файле напоминаний. Уберите его."},
    {"Это поле длиннее, чем сохраняется в файле напоминаний: не больше %s знаков.",
     "Это поле длиннее, чем сохраняется в файле напоминаний: не больше %s знаков."},
    {"Текст длиннее, чем сохраняется в файле напоминаний: не больше %s знаков, перевод строки - два знака.",
     "Текст длиннее, чем сохраняется в файле напоминаний: не больше %s знаков, перевод строки - два знака."},
    {"Программа и параметры вместе длиннее, чем сохраняется в файле напоминаний: не больше %s знаков.",
     "Программа и параметры вместе длиннее, чем сохраняется в файле напоминаний: не больше %s знаков."},

    // Clock settings
    {"Часы", "Clock"},
    {"Индикация            Цвет", "Indication              Color"},
    {"Рамка", "Border"},
    {"Время", "Time"},
    {"Дата", "Date"},
    {"Память", "Memory"},
    {"ОЗУ", "RAM"},
    {"Кр", "Sh"},
    {"Стандарт", "Standard"},
    {"Фон", "Back"},
    {"Шрифт", "Font"},
    {"00 сек", "00 sec"},
    {"Отмена", "Cancel"},
    {"Формат даты", "Format of date"},
    {"Время не установлено: у программы нет права изменять системное время.\n"
     "Это право может запросить панель «Дата и время»: её открывает соседняя кнопка Set.",
     "The clock was not set: this program has no right to change the system time.\n"
     "The Date and Time control panel can ask for that right: the Set button next to this one opens it."},
    {"Время не установлено: Windows не изменила системное время (ошибка %s).",
     "The clock was not set: Windows did not change the system time (error %s)."},

    // Date format
    {"Краткий Формат:", "Short Format:"},
    {"Полный Формат:", "Full Format:"},
    {"Формат вмени:", "Time format:"},

    // About
    {"Об Авторе", "About"},
    {"Tikkano", "Tikkano"},
    {"Автор:", "Author:"},
    {"Команда Tikkano", "The Tikkano team"},
    {"Москва, 2001", "Moscow, 2001"},
    {"Москва, 2000", "Moscow, 2000"},

    // The settings file could not be written
    {"Файл настроек", "Settings file"},
    {"Настройки не сохранены: в файл Horvik32.ini нельзя записать (его держит другая программа, "
     "папка закрыта для записи или диск полон).",
     "The settings were not saved: Horvik32.ini cannot be written (another program holds it, "
     "its folder cannot be written to, or the disk is full)."},

    // A close that can be tried again, a folder in the file's place, a program not started
    {"Нажмите «Повтор», чтобы сохранить ещё раз, когда причина устранена, или «Отмена», "
     "чтобы закрыть часы без сохранения.",
     "Press Retry to save again once that is put right, or Cancel to close the clock without saving."},
    {"Настройки не сохранены: на месте файла Horvik32.ini стоит папка с тем же именем. "
     "Переименуйте или уберите эту папку.",
     "The settings were not saved: where the file Horvik32.ini belongs there is a folder of that name. "
     "Rename or move that folder."},
    {"Напоминания нельзя прочитать и записать: на месте файла Horvik32.ini стоит папка с тем же именем. "
     "Переименуйте или уберите эту папку.",
     "The reminders cannot be read or saved: where the file Horvik32.ini belongs there is a folder of that name. "
     "Rename or move that folder."},
    {"Программа напоминания не запущена:", "The reminder's program could not be started:"},
    // A reminder list in a Unicode settings file
    {"Напоминания не записаны: файл Horvik32.ini записан в Юникоде, и в этой группе есть буквы, "
     "которых нет в кодовой странице Windows. При записи они стали бы знаками «?» или похожими буквами.\n"
     "Нажмите Отмена; эту группу можно изменить в текстовом редакторе или сохранить файл в кодировке ANSI.",
     "The reminders were not saved: Horvik32.ini is a Unicode file, and this group holds letters that "
     "the Windows code page cannot hold. Saving would turn them into \"?\" or look-alike letters.\n"
     "Press Cancel; the group can be changed in a text editor, or the file saved in the ANSI encoding."},
};

}  // namespace

const char* text(TextId id, Language language) {
    if (id < 0 || id >= kTextCount) return "";
    return language == kEnglish ? kTexts[id].english : kTexts[id].russian;
}

}  // namespace tikkano
