#include "print/PrintSetup.h"

namespace vanto {
namespace {

// The page's metrics without drawing: a measuring pass on the canvas that then prints.
class MeasuringCanvas final : public Canvas {
public:
    explicit MeasuringCanvas(Canvas& page) : page_(page) {}
    int PageWidth() const override { return page_.PageWidth(); }
    int PageHeight() const override { return page_.PageHeight(); }
    void SetFontFace(const std::string& face) override { page_.SetFontFace(face); }
    void SetFontSize(int points) override { page_.SetFontSize(points); }
    void SetPenWidth(int) override {}
    int TextWidth(const std::string& text) const override { return page_.TextWidth(text); }
    int TextHeight(const std::string& text) const override { return page_.TextHeight(text); }
    void TextAt(int, int, const std::string&) override {}
    void Line(int, int, int, int) override {}
    void RoundRect(int, int, int, int, int, int) override {}

private:
    Canvas& page_;
};

} // namespace

SheetMeasure PrintResultSheet(Canvas& canvas, SheetInput input) {
    MeasuringCanvas measuring(canvas);
    const SheetMeasure measure = ResultSheetLayout(measuring, input);
    input.LinesPerColumn = LinesPerColumn(measure.V, measure.LH);
    ResultSheetLayout(canvas, input);
    return measure;
}

void SetSheetVehicle(SheetInput& input, const std::string& vehicleNumber, const VehicleProfile& vehicle) {
    input.VehicleNumber = vehicleNumber;
    input.FirstRegistration = vehicle.Model;
    input.Mileage = vehicle.Mileage;
    input.NextInspection = vehicle.NextCheck;
    input.VehicleName = vehicle.TypeCar;
    input.ChassisNumber = vehicle.BodyNumber;
    input.Model = vehicle.Type;
    input.EngineType = vehicle.EngineType;
}

bool SheetVehicleChanged(const SheetInput& printed, const std::string& vehicleNumber, const VehicleProfile& stored) {
    SheetInput original;
    SetSheetVehicle(original, vehicleNumber, stored);
    return printed.VehicleNumber != original.VehicleNumber || printed.FirstRegistration != original.FirstRegistration ||
           printed.Mileage != original.Mileage || printed.NextInspection != original.NextInspection ||
           printed.VehicleName != original.VehicleName || printed.ChassisNumber != original.ChassisNumber ||
           printed.Model != original.Model || printed.EngineType != original.EngineType;
}

VehicleProfile VehicleToSave(const SheetInput& printed, const VehicleProfile& stored) {
    VehicleProfile saved = stored;
    saved.TypeCar = printed.VehicleName;
    saved.Model = printed.FirstRegistration;
    saved.EngineType = printed.EngineType;
    saved.BodyNumber = printed.ChassisNumber;
    saved.Type = printed.Model;
    saved.Mileage = printed.Mileage;
    saved.NextCheck = printed.NextInspection;
    return saved;
}

std::string PrintDocumentName(const std::string& title, const SheetInput& sheet) {
    std::string name = title.empty() ? DefaultPrintTitle : title;
    if (!sheet.CustomerName.empty()) {
        name += " " + sheet.CustomerName + CustomerHonorific;
    }
    if (!sheet.VehicleNumber.empty()) {
        name += " " + sheet.VehicleNumber;
    }
    return name;
}

std::vector<std::string> JudgementLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace vanto
