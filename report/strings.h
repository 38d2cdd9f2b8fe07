// User-visible texts of the report layer.
#pragma once

namespace sonvela::report::str {

// Preview window.
inline constexpr const char* PreviewCaption = "Предварительный просмотр";
inline constexpr const char* SavePdf = "Сохранить в PDF";
inline constexpr const char* SavePdfHint = "Сохранить отчет в файл PDF";
inline constexpr const char* SavePdfDialog = "Сохранить отчет в PDF";
inline constexpr const char* PdfFilter = "Документ PDF (*.pdf)";
inline constexpr const char* ErrorCaption = "Ошибка";
// %1 is the file name.
inline constexpr const char* CannotWriteFile = "Не удалось записать файл \"%1\".";

// sonvela-cli report, and the report options of sonvela-cli check.
inline constexpr const char* CliUsageReport =
    "report ПРОЕКТ.snv --out ФАЙЛ.pdf [--decimal ,|.]  отчет о проверке зала в файл PDF";
// Continues the usage line of "check".
inline constexpr const char* CliUsageCheckVars =
    "\n      [--vars] [--decimal ,|.]  --vars: и переменные отчета о проверке; --decimal: разделитель дробной части";
inline constexpr const char* CliNoProject = "Не задан файл проекта";
inline constexpr const char* CliNoOutput = "Не задан файл отчета (--out ФАЙЛ.pdf)";
inline constexpr const char* CliBadDecimal = "Разделитель дробной части задается как \",\" или \".\"";
inline constexpr const char* CliReportWritten = "Отчет записан в файл";
inline constexpr const char* CliNoReport = "Эта сборка программы не содержит отчетов";

// Value of a quantity the check could not determine.
inline constexpr const char* Undefined = "—";


// The hall check report. "_{...}" marks a subscript of a rich memo; a slash of the printed
// form is a line break here.
namespace check {
inline constexpr const char* PageHeader = "Расчет выполнен с помощью программы Sonvela '2011 ";
inline constexpr const char* SideCaptions[3] = {"Взам. инв. N", "Подп. и дата", "Инв. N подл."};
inline constexpr const char* TitleCaptions[6] = {"Изм.", "К.уч.", "Лист", "Nдок", "Подпись", "Дата"};
inline constexpr const char* TitleSheet = "Лист";
inline constexpr const char* RoomNameField = "[RoomName]";
inline constexpr const char* PageField = "[PAGE#]";

inline constexpr const char* Object = "Объект:";
inline constexpr const char* Source = "Исходные данные:";
inline constexpr const char* HallType = "Тип зала:";
inline constexpr const char* Seats = "Количество зрительских мест (шт):";
inline constexpr const char* Volume = "Общий воздушный объем зала, V (м³):";
inline constexpr const char* FloorArea = "Площадь пола зала, S_{П} (м²):";
inline constexpr const char* Calculation = "Расчет:";
inline constexpr const char* Step1 = "1. Согласно пункту 13.2 СНиП 23-03-2003 \"Защита от шума\" проверяем выбор габаритов и формы помещения на соблюдение общих требований к объемно-планировочному решению залов:";
inline constexpr const char* VolumePerSeatNorm = "Необходимый воздушный объем на одно зрительское место, (м³):";
inline constexpr const char* VolumePerSeat = "Удельный воздушный объем на одно зрительское место составляет м куб;[VudelInt]\n[VudelStr]";
inline constexpr const char* MaxLength = "Максимальная длина зала, L_{доп} (м):";
inline constexpr const char* Length = "Длина зала по его центральной оси, L (м):";
inline constexpr const char* Width = "Средняя ширина зала,(м) ";
inline constexpr const char* Height = "Средняя высота зала,(м) ";
inline constexpr const char* Proportions = "L/B = [LBreal] [LBStr]\nB/H = [BHreal] [BHStr] ";
inline constexpr const char* Step2 = "2. Согласно пункту 13.3 СНиП 23-03-2003 \"Защита от шума\" проверим достоверность глобальной оценки акустики зала по статистической теории:";
inline constexpr const char* Formula31 = "По формуле 31 ";
inline constexpr const char* Step3 = "3. Согласно пункту 13.3 СНиП 23-03-2003 \"Защита от шума\" произведем расчет времени реверберации и его соответствия оптимальным значениям.";
inline constexpr const char* AverageAlpha = "Расчитаем средний коэффициент звукопоглощения";
inline constexpr const char* EquivalentArea = "Эквивалентная площадь звукопоглощения (A), определяется по формуле 3 СНиП 23-03-2003:";
inline constexpr const char* LegendAlpha = "коэффициент звукопоглощения i-ой поверхности";
inline constexpr const char* LegendS = "площадь i-й поверхности, м кв";
inline constexpr const char* LegendA = "эквивалентная площадь звукопоглощения j-го штучного поглотителя, м кв";
inline constexpr const char* LegendN = "количество j-ых штучных поглотителей, шт";
inline constexpr const char* EnclosingAreaOgr = "Общая площадь ограждающих конструкций в зале, Sогр (м²):";
inline constexpr const char* SurfaceTitle = "Коэффициенты звукопоглощения поверхностей";
inline constexpr const char* ColumnName = "Название";
inline constexpr const char* ColumnMaterial = "Название материала";
inline constexpr const char* ColumnArea = "Площадь (S)";
inline constexpr const char* ColumnBandsSurface = "Среднегеометрическая частота октавной полосы, Гц (a)";
inline constexpr const char* Bands[6] = {"125", "250", "500", "1000", "2000", "4000"};
inline constexpr const char* PieceTitle = "Эквивалентная площадь звукопоглощения штучных звукопоглотителей";
inline constexpr const char* ColumnPiece = "Название штучного звукопоглотителя";
inline constexpr const char* ColumnCount = "Количество, шт (Aj)";
inline constexpr const char* ColumnBandsPiece = "Среднегеометрическая частота октавной полосы, Гц (n)";
inline constexpr const char* AlphaHead = "Среднегеометрическая частота октавной полосы, Гц";
inline constexpr const char* AlphaRow = "Средний коэффициент звукопогощения (альфа)";
inline constexpr const char* OptimalTime = "По рисунку 6, оптимальное значение реверберации = [Topt] с.\nДопустимое отклонение от данной величины = 10%, а в октавной полосе 125Гц допускается превышение времени реверберации не более 20%.";
inline constexpr const char* Formula32 = "В диапазоне 125-1000Гц T определяем по формуле 32";
inline constexpr const char* EnclosingAreaS = "Общая площадь ограждающих конструкций в зале, S (м²):";
inline constexpr const char* Times125to1000 = "T_{125} = [T0]c. [T0Str]\nT_{250} = [T1]c. [T1Str] ([PorogMin10];[PorogMax10])\nT_{500} = [T2]c. [T2Str] ([PorogMin10];[PorogMax10])\nT_{1000} = [T3]c. [T3Str] ([PorogMin10];[PorogMax10])";
inline constexpr const char* Formula33 = "В диапазоне 2000-4000Гц T определяем по формуле 33:";
inline constexpr const char* AirAbsorption = "где в октаве 2000Гц n=0,009; в октаве 4000Гц n = 0.022.";
inline constexpr const char* Times2000to4000Names = "T_{2000} =\nT_{4000} =";
inline constexpr const char* Times2000to4000 = " [T4]c. [T4Str] ([PorogMin10];[PorogMax10])\n [T5]c. [T5Str] ([PorogMin10];[PorogMax10])";
inline constexpr const char* Step4 = "4. Произведем расчет общей оценки качества передачи тембра музыкальных звучаний (в т.ч. и хоральных) по всему исследуемому помещению.\nКачество передачи низкочастотных составляющих (басов) музыкальных звучаний определяется по формуле:";
inline constexpr const char* Bass = "[Kn]  [Knstr]";
inline constexpr const char* TrebleIntro = "Качество передачи высоких звуков определяется по формуле:";
inline constexpr const char* Treble = "[Kv]  [Kvstr]";
inline constexpr const char* Conclusion = "Заключение:";
inline constexpr const char* Results = "[Res132]\n[Res133a]\n[Res133]\n";
} // namespace check

} // namespace sonvela::report::str
