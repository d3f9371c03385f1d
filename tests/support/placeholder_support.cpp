// Placeholder until support code exists.
