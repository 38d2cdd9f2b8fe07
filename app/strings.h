// Every user-visible text of the application windows, in one place.
#pragma once

// The core's texts (hall types, the readers' labels and messages) live in core/strings.h.
namespace sonvela::appstr {

// Application
inline constexpr const char* AppCaption = "Sonvela '2011";
inline constexpr const char* SaveChanges = "Сохранить изменения?";
inline constexpr const char* ProjectFilter = "Файл Sonvela 2006 (*.snv)";
inline constexpr const char* ProjectExt = "snv";
inline constexpr const char* SaveFailed = "Не удалось сохранить проект в файл\n%1\n\n%2\n\nПрежнее содержимое файла не изменено.";
inline constexpr const char* OpenFailed = "Не удалось открыть файл проекта\n%1\n\n%2\n\nТекущий проект не изменен.";
inline constexpr const char* BaseReadFailed = "База материалов прочитана не полностью:\n%1\n\n%2\n\nПрочитанная часть доступна. Перед первой записью базы "
                                              "исходный файл будет сохранен как\n%3";
inline constexpr const char* BaseSaveFailed = "Не удалось сохранить базу материалов в файл\n%1\n\n%2";
inline constexpr const char* UnexpectedError = "Ошибка: %1";

// Start window: tool bar hints and menus
inline constexpr const char* HintNew = "Новый расчет";
inline constexpr const char* HintOpen = "Открыть...";
inline constexpr const char* HintSave = "Сохранить...";
inline constexpr const char* HintHelp = "Справка...";
inline constexpr const char* MenuFile = "Файл";
inline constexpr const char* MenuNew = "Новый...";
inline constexpr const char* MenuOpen = "Открыть...";
inline constexpr const char* MenuSave = "Сохранить";
inline constexpr const char* MenuSaveAs = "Сохранить как...";
inline constexpr const char* MenuExit = "Выход";
inline constexpr const char* MenuHelp = "Справка";
inline constexpr const char* MenuContents = "Содержание";
inline constexpr const char* MenuSnip = "СНИП 23-03-2003";
inline constexpr const char* MenuSp = "СП 23-103-2003";
inline constexpr const char* MenuGuide = "Рук-во по акустическому проектированию залов";
inline constexpr const char* MenuAbout = "О программе...";
inline constexpr const char* ModeGabarit = "Проверка объемно-планировочного решения";
inline constexpr const char* ModeGraphic = "Проверка равномерности поступления первых отражений";

// Start frames
inline constexpr const char* FrameAllows = "Позволяет проверить:";
inline constexpr const char* Gabarit1 = "1. Правильность выбора габаритов и формы помещения;";
inline constexpr const char* Gabarit2 = "2. Достоверность глобальной оценки акустики зала по статистической теории;";
inline constexpr const char* Gabarit3 = "3. Расчет по частотной характеристике времени реверберации зала;";
inline constexpr const char* GabaritButton = "Выполнить расчет";
inline constexpr const char* Graphic1 = "1. равномерность поступления в зоны слушательских мест первых отражений от стен и потолка.";
inline constexpr const char* GraphicNote = "Примечание: Достаточно ранние интенсивные звуковые отражения дополняют прямой звук источника, "
                                           "улучшая слышимость и разборчивость.";
inline constexpr const char* GraphicButton = "Запустить графический редактор и выполнить расчет";
inline constexpr const char* EditorNotReady = "Графический редактор готовится к выпуску и в этой версии еще недоступен";

// About box
inline constexpr const char* AboutCaption = "О программе Sonvela '2011 ...";
inline constexpr const char* AboutVersion = "Версия от 11.07.2011";
inline constexpr const char* AboutTitle = "Расчет акустики залов";
inline constexpr const char* AboutPurposeGroup = " Назначение ";
inline constexpr const char* AboutPurpose =
    "    Программа Sonvela ' 2011 предназначена для проверки габаритов и формы помещения на соблюдение общих "
    "требований к объемно- планировочному решению залов, проверки достоверности глобальной оценки акустики "
    "зала по статистической теории и расчета равномерности поступления первых отражений.";
inline constexpr const char* AboutNorms = "    Расчеты выполняются согласно требованиям: ";
inline constexpr const char* AboutSnip = "СНиП 23-03-2003 \"ЗАЩИТА ОТ ШУМА\".";
inline constexpr const char* AboutGuide =
    "\"Руководство по акустическому проектированию залов многоцелевого назначения средней вместимости\"";
inline constexpr const char* AboutAuthorGroup = " Авторство ";
inline constexpr const char* AboutContact = "С вопросами и предложениями обращаться:";
inline constexpr const char* AboutPhoneCaption = "тел./факс: ";
inline constexpr const char* AboutMailCaption = "e-mail: ";
// Placeholders of this project: the maker's real contacts are not ours to print.
inline constexpr const char* AboutPhone = "+7 (000) 000-00-00 (пример)";
inline constexpr const char* AboutMail = "support@example.org";
inline constexpr const char* AboutSite = "www.example.org";
inline constexpr const char* AboutSiteUrl = "https://www.example.org/";
inline constexpr const char* AboutStartGroup = " С чего начать ";
inline constexpr const char* AboutStartText = "Нажмите эту кнопку и прочитайте справку";
inline constexpr const char* AboutStartButton = "Последовательность действий";
inline constexpr const char* Close = "Закрыть";

// Hot help panel and documents
inline constexpr const char* HelpBack = "Назад";
inline constexpr const char* HelpForward = "Вперед";
inline constexpr const char* HelpContents = "Содержание";
inline constexpr const char* HotHelpCaption = "Горячая справка";
inline constexpr const char* HelpViewerCaption = "Справка Sonvela '2011";
inline constexpr const char* ContentsPage = "contents.htm";
inline constexpr const char* DocumentMissing = "Документ не найден. Программа искала файл:\n%1";
inline constexpr const char* DocumentOpenFailed = "Не удалось открыть документ\n%1\nНет программы для просмотра файлов этого типа.";
inline constexpr const char* TutorialMissing =
    "Учебник-демонстрация написан для другой операционной системы и в этой версии программы не поставляется.";

// Topic keys of the start window (the others are used as constants where they are shown)
inline constexpr const char* HotHelpConsecution = "HotHelpConsecution";
inline constexpr const char* HotHelpGabaritStart = "HotHelpGabaritStart";
inline constexpr const char* HotHelpGraphicStart = "HotHelpGraphicStart";

// Check window
inline constexpr const char* CheckCaption = "Проверка объемно-планировочного решения";
inline constexpr const char* LabelObject = "Объект";
inline constexpr const char* LabelType = "Тип зала:";
inline constexpr const char* LabelLength = "Длина зала по его центральной оси, м:";
inline constexpr const char* LabelFloor = "Площадь пола зала, кв м:";
inline constexpr const char* LabelVolume = "Общий воздушный объем зала, куб м:";
inline constexpr const char* LabelEnclosing = "Площадь ограждающих конструкций в зале (пол, стены, потолок), кв м:";
inline constexpr const char* LabelSeats = "Количество зрительских мест, шт:";
inline constexpr const char* CalcHint = "Калькулятор";
inline constexpr const char* BtnCalcCoef = "Расчет коэффициента звукопоглощения...";
inline constexpr const char* BandLabels[6] = {"125 Гц", "250 Гц", "500 Гц", "1000 Гц", "2000 Гц", "4000 Гц"};
inline constexpr const char* InputGroup = "Исходные данные для проверки объемно-планировочного решения ";
inline constexpr const char* InputGroupLine = "и расчета частотной характеристики времени реверберации зала:";
inline constexpr const char* AlphaGroup = "Средний коэффициент звукопоглощения в зале в октавных полосах:";
inline constexpr const char* RunCheck = "Выполнить расчет";
inline constexpr const char* ReportNotReady = "Проверка выполнена. Модуль отчета в этой сборке отсутствует, отчет не показан.";

// Calculators
inline constexpr const char* AreaCaption = "Вычисление площади пола зала";
inline constexpr const char* VolumeCaption = "Вычисление объема зала";
inline constexpr const char* CalcWidth = "Ширина зала, м:";
inline constexpr const char* CalcLength = "Длина зала, м:";
inline constexpr const char* CalcHeight = "Высота зала, м:";
inline constexpr const char* MsgWidth = "Ширина зала";
inline constexpr const char* MsgCalcLength = "Длина зала";
inline constexpr const char* MsgHeight = "Высота зала";
inline constexpr const char* Ok = "OK";

// Absorption window
inline constexpr const char* AbsorptionCaption = "Расчет среднего коэффициента звукопоглощения в зале ";
inline constexpr const char* FormulaLine = "Расчет выполняется по формулам 3, 4 п.7.4 СНиП 23-03-2003";
inline constexpr const char* PageInput = "Исходные данные";
inline constexpr const char* PageResults = "Результаты расчета";
inline constexpr const char* Add = "Добавить";
inline constexpr const char* Delete = "Удалить";
inline constexpr const char* Change = "Изменить";
inline constexpr const char* Help = "Справка";
inline constexpr const char* BandCaptions[6] = {"125Гц", "250Гц", "500Гц", "1000Гц", "2000Гц", "4000Гц"};
inline constexpr const char* BandNames[6] = {"125", "250", "500", "1000", "2000", "4000"};
inline constexpr const char* MaterialCaption = "Материал:";
inline constexpr const char* MaterialNotChosen = "не выбран";
inline constexpr const char* NoEntry = "Не выбран звукопоглотитель";
inline constexpr const char* NoEntryAmount = "Площадь";
inline constexpr const char* NoEntryKind = "Не выбрана поверхность";
inline constexpr const char* SurfaceValues = "Коэффициент звукопоглощения поверхности";
inline constexpr const char* NoMaterial = "Не выбран материал";
inline constexpr const char* SurfacePrefix = "Поверхность: ";
inline constexpr const char* SurfaceAmount = "Площадь:";
inline constexpr const char* SurfaceMaterial = "Материал";
inline constexpr const char* PiecePrefix = "Штучный звукопоглотитель: ";
inline constexpr const char* PieceAmount = "Количество:";
inline constexpr const char* PieceMaterial = "Объект";
inline constexpr const char* PieceValues = "Эквивалентная площадь звукопоглощения";
inline constexpr const char* ColFrequency = "Частота (Гц)";
inline constexpr const char* ColEquivArea = "Эквивалентная площадь звукопоглощения";
inline constexpr const char* ColAverage = "Средний коэффициент звукопоглощения";
inline constexpr const char* TotalArea = "Суммарная площадь ограждающей поверхности, м кв:";
inline constexpr const char* NewEntryCaption = "Новый объект";
inline constexpr const char* NewEntryPrompt = "Введите название нового звукопоглотителя";
inline constexpr const char* DuplicateName = "Ошибка! Такое название уже есть в базе, попробуйте ввести другое название";
inline constexpr const char* DeletePrefix = "Удалить ";
inline constexpr const char* DeleteSuffix = " ?";
inline constexpr const char* NothingToChange = "Не выбран объект для изменения";

// Materials base window
inline constexpr const char* BaseCaption = "База материалов и штучных звукопоглотителей";
inline constexpr const char* KindPieces = "Штучные звукопоглотители";
inline constexpr const char* KindSurfaces = "Поверхности";
inline constexpr const char* FullName = "Полное название:";
inline constexpr const char* NoQuickName = "Не использовать данный элемент базы при создании быстрого названия";
inline constexpr const char* SurfaceAmountLabel = "Площадь поверхности, м кв";
inline constexpr const char* PieceGroup = "Эквивалентная площадь звукопоглощения, м кв";
inline constexpr const char* PieceAmountLabel = "Количество штучных поглотителей, шт.";
inline constexpr const char* PieceAmountMsg = "Количество штучных поглотителей";
inline constexpr const char* Choose = "Выбрать";
inline constexpr const char* NewPieceCaption = "Штучный звукопоглотитель";
inline constexpr const char* NewPiecePrompt = "Введите название нового штучного звукопоглотителя";
inline constexpr const char* NewMaterialCaption = "Материал";
inline constexpr const char* NewMaterialPrompt = "Введите название нового материала";

} // namespace sonvela::appstr
