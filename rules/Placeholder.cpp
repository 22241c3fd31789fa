// Replaced by the rule sources.
