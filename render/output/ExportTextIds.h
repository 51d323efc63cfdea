// Ids of the text-table texts of printing and export.
#pragma once

namespace ks::OutputTextId {
constexpr int ExportVectorPdfPrompt = 42000;  // command prompt and tool tip
constexpr int AlignPrinterPrompt = 42001;     // "Align printer to make sure music is ..."
constexpr int ExportVectorPdfLabel = 42002;   // menu label
constexpr int AlignPrinterLabel = 42003;      // menu label
constexpr int ResolutionChoices = 42004;      // "96 (Screen);150;300 (Print);"
constexpr int ResolutionQuestion = 42005;     // "Choose the resolution (in dpi) to ..."
constexpr int PdfCreationFailed = 42006;      // "Error during creation of PDF file."
constexpr int FileOpenElsewhere = 42007;      // "File is Open in Another Program"
constexpr int OutsidePrintableArea = 42008;   // "Current Settings would print outside ..."
constexpr int AlignPrinterTitle = 42009;      // "Align Printer"
constexpr int NoPrinterInstalled = 42010;     // no printer: offer PDF export instead
constexpr int BitmapsNotWritten = 42011;      // "%d of %d bitmap files could not be written."
constexpr int ResolutionTitle = 42012;        // "Export Resolution"
constexpr int PdfFilter = 42013;              // save-dialog filter for PDF files
constexpr int BitmapFilter = 42014;           // save-dialog filter for bitmap files
constexpr int AlignHorizontal = 42015;        // "Horizontal"
constexpr int AlignVertical = 42016;          // "Vertical"
constexpr int PagesTooLarge = 42017;          // pages too large to export at this resolution
}  // namespace ks::OutputTextId
