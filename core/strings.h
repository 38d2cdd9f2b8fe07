// The user-visible texts of the Qt-free core, in one place (UTF-8).
#pragma once

namespace sonvela::str {

// Hall types, in the order of the check window's type list.
inline constexpr const char* HallTypes[8] = {
  "Зал драматического театра, аудитории, конференц-зал",
  "Зал музыкально-драматического театра (оперетта)",
  "Зал театра оперы и балета",
  "Концертный зал камерной музыки",
  "Концертный зал симфонической музыки",
  "Зал хоровых и органных концертов",
  "Многоцелевой зал",
  "Концертный зал современной эстрадной музыки (киноконцертный зал)",
};

// Norm ranges as the report prints them, by hall type.
inline constexpr const char* VolumePerSeatNorms[8] = {"4-5", "5-7", "6-8", "6-8", "8-10", "10-12", "4-6", "4-6"};
inline constexpr const char* MaxLengthNorms[8] = {"24-25", "28-29", "30-32", "20-22", "42-46", "42-46", "30-34", "48-50"};

// Verdicts of the check: the first text when the verdict holds, the second when it does not.
inline constexpr const char* VolumePerSeatOk = "Удельный воздушный объем на одно зрительское место удовлетворяет требованиям СНиП";
inline constexpr const char* VolumePerSeatBad = "Удельный воздушный объем на одно зрительское место НЕудовлетворяет требованиям СНиП";
inline constexpr const char* LengthOk = "условие выполняется";
inline constexpr const char* LengthBad = "условие НЕвыполняется";
inline constexpr const char* LengthToWidthOk = "соответствует требованию СНиП: 1 < L/B < 2";
inline constexpr const char* LengthToWidthBad = "НЕсоответствует требованию СНиП: 1 < L/B < 2";
inline constexpr const char* WidthToHeightOk = "соответствует требованию СНиП: 1 < B/H < 2";
inline constexpr const char* WidthToHeightBad = "НЕсоответствует требованию СНиП: 1 < B/H < 2";
inline constexpr const char* CritFreqBelow = "т.к. Fкр < 125, то определяем время реверберации в зале";
inline constexpr const char* CritFreqAbove = "т.к. Fкр > 125, то дальнейший расчет носит ориентировочный характер";
inline constexpr const char* ReverbBandOk = "Соответствует допустимым пределам";
inline constexpr const char* ReverbBandBad = "НЕ соответствует допустимым пределам";
inline constexpr const char* SpacePlanningOk = "В данном зале выдержаны основные требования к его объемно-планировочному решению";
inline constexpr const char* SpacePlanningBad = "В данном зале НЕ выдержаны основные требования к его объемно-планировочному решению";
inline constexpr const char* ReverbApproximateOk = "";
inline constexpr const char* ReverbApproximate = "Расчет реверберации носит ориентировочный характер";
inline constexpr const char* ReverbAllOk = "Во всех областях частот время реверберации зала соответствует СНиП";
inline constexpr const char* ReverbAllBad = "Время реверберации зала по некоторым частотам не укладывается в допустимые пределы";

// Timbre verdicts on the bass ratio K_Н and the treble ratio K_В.
inline constexpr const char* BassInNorm = "Баланс низких частот в норме";
inline constexpr const char* BassLow = "Недостаток низких частот (звучание сухое)";
inline constexpr const char* BassHigh = "Избыток низких частот (звучание гулкое)";
inline constexpr const char* TrebleInNorm = "Баланс высоких частот в норме";
inline constexpr const char* TrebleLow = "Недостаток высоких частот (звучание глухое)";
inline constexpr const char* TrebleHigh = "Избыток высоких частот (звучание резкое)";
// A ratio that needs a band without a reverberation time has no value.
inline constexpr const char* RatioUndefined = "не определено";

// Number readers; %s is the field's label, %8.3f and %d the bounds.
inline constexpr const char* NumberMalformed = "Число \"%s\" записано неверно";
inline constexpr const char* FloatOutOfRange = "Число \"%s\" должно быть больше, чем %8.3f и меньше, чем %8.3f";
inline constexpr const char* IntegerOutOfRange = "Число \"%s\" должно быть больше, чем %d и меньше, чем %d";

// Labels of the check's inputs in the readers' messages.
inline constexpr const char* LabelHallType = "Тип зала";
inline constexpr const char* LabelLength = "Длина зала по его центральной оси, м";
inline constexpr const char* LabelVolume = "Общий воздушный объем зала, м куб";
inline constexpr const char* LabelFloorArea = "Площадь пола зала, м кв";
inline constexpr const char* LabelEnclosingArea = "Площадь ограждающих конструкций в зале, м кв";
inline constexpr const char* LabelAlpha[6] = {
  "Средний коэффициент звукопоглощения в зале на частоте 125Гц",
  "Средний коэффициент звукопоглощения в зале на частоте 250Гц",
  "Средний коэффициент звукопоглощения в зале на частоте 500Гц",
  "Средний коэффициент звукопоглощения в зале на частоте 1000Гц",
  "Средний коэффициент звукопоглощения в зале на частоте 2000Гц",
  "Средний коэффициент звукопоглощения в зале на частоте 4000Гц",
};
inline constexpr const char* LabelSeats = "Количество зрительских мест";

// Category roots of the materials base.
inline constexpr const char* SurfaceMaterialsRoot = "Поверхности";
inline constexpr const char* PieceAbsorbersRoot = "Штучные звукопоглотители";

// Reading errors of the base file, the surface list and the project file.
inline constexpr const char* BadParentIndex = "Неверная ссылка на родительский элемент базы материалов";
inline constexpr const char* ParentCycle = "Элементы базы материалов ссылаются друг на друга по кругу";
inline constexpr const char* MaterialItems = "элементов базы материалов";
inline constexpr const char* SurfaceEntries = "звукопоглотителей";
inline constexpr const char* NoSuchEntry = "Нет звукопоглотителя с названием";
inline constexpr const char* ProjectUnreadable = "Не удается прочитать файл проекта";
inline constexpr const char* BaseUnreadable = "Не удается прочитать базу материалов";

// Command-line tool.
inline constexpr const char* CliUnknownOption = "Неизвестный параметр";
inline constexpr const char* CliMissingValue = "Не задано значение параметра";
inline constexpr const char* CliAlphaCount = "Нужно шесть коэффициентов звукопоглощения через запятую (125 ... 4000 Гц)";
inline constexpr const char* CliExtraArgument = "Лишний параметр";
inline constexpr const char* CliWriteFailed = "Не удается записать файл проекта";
inline constexpr const char* CliUsageCheck =
  "check [ПРОЕКТ.snv] [--type T] [--volume V] [--length L] [--floor S] [--seats N] [--enclosing S] "
  "[--alpha a125,a250,a500,a1000,a2000,a4000]  проверка объемно-планировочного решения и реверберации";
inline constexpr const char* CliUsageAverages =
  "averages ПРОЕКТ.snv [--base BASE.dat]  эквивалентная площадь и средние коэффициенты звукопоглощения";
inline constexpr const char* CliUsageResave = "resave ВХОД.snv ВЫХОД.snv  прочитать проект и записать его заново";

} // namespace sonvela::str
