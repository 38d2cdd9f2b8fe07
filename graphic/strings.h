// Texts of the section model shown to the user (UTF-8; stored files hold Windows-1251).
#pragma once

namespace sonvela::strings {

// Name of the section the editor adds to a project without sections.
inline constexpr const char* UntitledSection = "БезНазвания";

// Length units of a section, by FUnit.
inline constexpr const char* UnitNames[] = {"мм", "см", "м", "inch"};

// Control marker labels.
inline constexpr const char* MarkerObstructed = "ОПЗ";
inline constexpr const char* MarkerDirectZone = "ЗПЗ";
inline constexpr const char* MarkerNoReflection = "НО";

// Reading a section record.
inline constexpr const char* ErrUnknownElementTag = "Неизвестный тип элемента разреза: ";
inline constexpr const char* ErrUnknownSizeTag = "Неизвестный тип размера: ";
inline constexpr const char* ErrUnknownSizeKind = "Неизвестный вид линейного размера: ";
inline constexpr const char* ErrUnknownUnit = "Неизвестная единица длины разреза: ";
inline constexpr const char* ErrNodeIndex = "Номер узла вне списка узлов разреза: ";
inline constexpr const char* ErrNodeShared = "Узел разреза принадлежит нескольким элементам: ";
inline constexpr const char* ErrNodeOrphan = "Узел разреза не принадлежит ни одному элементу: ";
inline constexpr const char* ErrElementIndex = "Номер элемента вне списка элементов разреза: ";
inline constexpr const char* ErrNotSound = "Источник звука разреза указывает не на источник: ";
inline constexpr const char* ErrNotCircle = "Размер окружности указывает не на окружность: ";
inline constexpr const char* ErrCircleCentre = "Размер окружности не в центре окружности";
inline constexpr const char* ErrNotSpectatorLine = "Маркер указывает не на линию зрительских мест: ";
inline constexpr const char* ErrMarkerIndex = "Номер точки маркера вне линии: ";
inline constexpr const char* ErrMarkerText = "Длина надписи маркера больше 10: ";
inline constexpr const char* ErrNodesNotEmpty = "Список узлов разреза не пуст";

// Counted items of a section record, for the reader's count check.
inline constexpr const char* WhatSections = "разрезы";
inline constexpr const char* WhatNodes = "узлы разреза";
inline constexpr const char* WhatElements = "элементы разреза";
inline constexpr const char* WhatElementNodes = "узлы элемента";
inline constexpr const char* WhatSizes = "размеры";
inline constexpr const char* WhatMarkers = "маркеры";

// Undo history.
inline constexpr const char* ErrListIndex = "Индекс списка вне границ: ";
inline constexpr const char* ErrUndoOtherSection = "Откат невозможен: изменение сделано в другом разрезе";

// The DXF underlay. The first texts are the reader's historical messages.
inline constexpr const char* DxfInvalidFile = "Invalid DXF file";
inline constexpr const char* DxfAssignOnlyDxf = "TDxf.Assign can only assign from other TDxf's";
inline constexpr const char* DxfNoSaveToStream = "TDxf does not yet support saving to a stream";
inline constexpr const char* DxfNoSaveToClipboard = "TDxf does not yet support saving to clipboard format";
inline constexpr const char* DxfNoLoadFromClipboard = "TDxf does not support loading from clipboard format";
// File extension and description under which the picture class knows the format.
inline constexpr const char* DxfExtension = "dxf";
inline constexpr const char* DxfDescription = "Dxf files";
inline constexpr const char* DxfNumberOutOfRange = "Число в файле DXF вне допустимого диапазона";
inline constexpr const char* DxfTooManyObjects = "Файл DXF содержит слишком много объектов";
inline constexpr const char* DxfFileTooLarge = "Файл DXF слишком велик";
inline constexpr const char* DxfCannotOpen = "Не удается открыть файл";
inline constexpr const char* DxfCannotRead = "Не удается прочитать файл DXF";
inline constexpr const char* CliUsageDxf = "dxf ФАЙЛ.dxf  объекты, слои и размеры чертежа DXF";

// The command line's first reflections.
inline constexpr const char* CliUsageReflections =
  "reflections ПРОЕКТ.snv [--section N] [--range МЕТРЫ]  первые отражения на линиях зрительских мест разреза";
inline constexpr const char* CliNoSuchSection = "В проекте нет разреза с номером";
inline constexpr const char* CliCalculationFailed = "Не удается рассчитать отражения разреза";
inline constexpr const char* LabelSectionNumber = "Номер разреза";
// The label of the source type dialog, whose radius the option sets.
inline constexpr const char* LabelSoundRange = "Радиус действия прямого звука:";

// The bitmap underlay.
inline constexpr const char* SubstrateTooLarge = "Подоснова слишком велика для выбранного масштаба";

} // namespace sonvela::strings
