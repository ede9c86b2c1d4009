#pragma once
// The pumping plant and irrigation cost inputs of the farm, and the irrigation cost of one field.
#include <memory>
#include <string>

namespace korvel {

class IrrigationCosts {
public:
    double GPM = 0.0;
    double Lift = 0.0;
    double PSI = 0.0;
    double LaborPerHour = 0.0;
    double FixedPerAcre = 0.0;
    double RepairsPerAcreInch = 0.0;
    double NPC = 0.0;
    double cost = 0.0;
    double dblEstHours = 0.0;
    double dblMaxInches = 0.0;
    bool active = false;
    std::string FuelType;
    double hours = 0.0; // output of getCosts
    bool UseBatch = false;
    double BatchIrrigationCosts = 0.0;

    // The 11 saved values joined by CR LF, none after the last.
    std::string writeData() const;
    std::shared_ptr<IrrigationCosts> Copy() const;
    // Irrigation cost of a field of acres acres receiving inches net inches at the efficiency fraction
    // efficiency; writes hours. A step whose result is not finite is passed over. Throws NonFiniteResult when
    // the gross depth (inches divided by efficiency) is not finite, e.g. for an efficiency of 0; the zero-cost
    // guards come first.
    double getCosts(double inches, double acres, double efficiency);
    // Pumping hours of a field of acres acres receiving inches net inches, as getCosts works them out without a
    // trend override; 0 when the field gets no water or the plant is not set up. Leaves hours as it is.
    double fieldHours(double inches, double acres, double efficiency) const;
    // Inches the pump can deliver over a acres in the season; 0 when a is 0.
    double getMaxInches(double a) const;
};

} // namespace korvel
