#include "ReferenceLoop.h"

#include "LiteralRankedList.h"

#include "model/Field.h"
#include "model/FieldCollection.h"

namespace korvel::testing {

std::shared_ptr<BestMix> referenceEvaluate(const SplitCollection& depthSplits,
                                           const std::vector<std::shared_ptr<CropScenario>>& combos,
                                           const Split& landSplit, double annRain, int bestCount,
                                           const IrrigationCosts& irrigCosts, SessionState& s,
                                           EvaluationObserver* observer)
{
    EvaluationObserver silent;
    EvaluationObserver& obs = observer != nullptr ? *observer : silent;
    obs.pumpMessages();
    s.CancelRequested = false;
    auto list = std::make_shared<BestMix>();
    list->setSize(bestCount); // refuses a length the list cannot have
    BestMix::Entries entries = literalList(bestCount);
    for (const auto& D : depthSplits) {
        obs.advance();
        obs.pumpMessages();
        for (const auto& C : combos) {
            if (s.CancelRequested) {
                obs.close();
                return nullptr;
            }
            obs.pumpMessages();
            FieldCollection A;
            for (int i = 1; i <= landSplit.Count(); ++i) {
                auto f = std::make_shared<Field>();
                f->acres = landSplit.Item(i);
                f->theCrop = C->Item(i)->Copy();
                f->irrigCosts = irrigCosts.Copy();
                f->Depth = f->theCrop->cropType == "Fallow" ? 0.0 : D->Item(i);
                f->annualRain = annRain;
                f->IrrigationEfficiency = s.IrrigationEfficiency;
                A.Add(f);
            }
            for (const auto& f : A)
                f->theCrop->setYield(f->Depth, f->annualRain);
            literalSubmit(entries, A, s);
        }
    }
    obs.close();
    list->SetBestArray(std::move(entries));
    return list;
}

} // namespace korvel::testing
